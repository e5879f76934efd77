#include "host/document/module_enumerator_finder.h"

#include <vector>

#include "host/channels/name_compare.h"
#include "host/document/module_enumerator_class.h"
#include "host/framework/host_text.h"
#include "host/framework/registered_classes.h"
#include "platform/pendrel/calc_enum.h"
#include "platform/win32/bstr.h"

namespace PendrelHost {

namespace {

std::string ClassName(ICalcEnumClass2* classObject) {
  BSTR name = nullptr;
  if (FAILED(classObject->GetName(&name)) || !name) return {};
  const std::string text = Tarn::Utf8(std::u16string_view(name, SysStringLen(name)));
  SysFreeString(name);
  return text;
}

// Formulas name an enumerator by its output ("fiducial(...)"); a class without outputs is
// named by its class name.
std::vector<std::string> CallableNames(ICalcEnumClass2* classObject) {
  std::vector<std::string> names;
  ICalcNumericParamsFuncClass* outputs = nullptr;
  if (SUCCEEDED(classObject->QueryInterface(ICalcNumericParamsFuncClass::iid,
                                            reinterpret_cast<void**>(&outputs)))) {
    Tarn::HeldReference<ICalcNumericParamsFuncClass> held(outputs);
    LONG count = 0;
    outputs->GetOutputCount(&count);
    for (LONG i = 0; i < count; ++i) {
      IQuorString* name = nullptr;
      if (SUCCEEDED(outputs->GetOutputName(i, &name)) && name) {
        names.push_back(Tarn::Utf8(Tarn::TextOf(name)));
        name->Release();
      }
    }
  }
  names.push_back(ClassName(classObject));
  return names;
}

}  // namespace

std::shared_ptr<const EventEnumeratorClass> ModuleEnumeratorFinder::Find(
    std::string_view name) const {
  for (const auto& registered : Tarn::RegisteredClassObjects()) {
    ICalcEnumClass2* classObject = nullptr;
    if (FAILED(registered->QueryInterface(ICalcEnumClass2::iid,
                                          reinterpret_cast<void**>(&classObject))))
      continue;
    Tarn::HeldReference<ICalcEnumClass2> held(classObject);
    for (const std::string& callable : CallableNames(classObject)) {
      if (!callable.empty() && SameName(callable, name)) {
        return std::make_shared<ModuleEnumeratorClass>(std::move(held), callable, m_document);
      }
    }
  }
  return nullptr;
}

}  // namespace PendrelHost
