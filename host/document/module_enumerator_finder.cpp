#include "host/document/module_enumerator_finder.h"

#include "host/channels/name_compare.h"
#include "host/document/module_enumerator_class.h"
#include "host/framework/host_text.h"
#include "host/framework/registered_classes.h"
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

}  // namespace

std::shared_ptr<const EventEnumeratorClass> ModuleEnumeratorFinder::Find(
    std::string_view name) const {
  for (const auto& registered : Tarn::RegisteredClassObjects()) {
    ICalcEnumClass2* classObject = nullptr;
    if (FAILED(registered->QueryInterface(ICalcEnumClass2::iid,
                                          reinterpret_cast<void**>(&classObject))))
      continue;
    Tarn::HeldReference<ICalcEnumClass2> held(classObject);
    const std::string className = ClassName(classObject);
    if (!className.empty() && SameName(className, name)) {
      return std::make_shared<ModuleEnumeratorClass>(std::move(held), className, m_document);
    }
  }
  return nullptr;
}

}  // namespace PendrelHost
