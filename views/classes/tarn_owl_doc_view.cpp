#include "views/classes/tarn_owl_doc_view.h"

#include <iterator>

#include "hostframework/docview/interface_enum.h"

namespace Rhyth {

namespace {
constexpr const IID* kViewInterfaces[] = {&IDocView2::iid, &IClientWindow::iid};
}

HRESULT EnumViewInterfaces(IEnumInterface** interfaces) {
  return QuorCOM::IterEnum::CreateInterfaceEnum(kViewInterfaces, std::size(kViewInterfaces),
                                                interfaces);
}

void AnnounceViewObject(IUnknown* object, DWORD code) {
  if (ITarnFrameworkService* tracker = GetTarnFrameworkService()) tracker->TrackObject(object, code);
}

HRESULT CopyViewTitle(const Quor::String& text, BSTR* title) {
  if (!title) return S_OK;
  if (*title) {
    SysFreeString(*title);
    *title = nullptr;
  }
  if (!text.IsEmpty()) *title = SysAllocStringLen(text.c_str(), text.Length());
  return S_OK;
}

}  // namespace Rhyth
