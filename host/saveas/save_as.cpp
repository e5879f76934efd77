#include "host/saveas/save_as.h"

#include "core/quor_string.h"
#include "host/app/host_application.h"
#include "host/framework/host_text.h"
#include "host/framework/registered_classes.h"
#include "host/saveas/host_document_object.h"

namespace PendrelHost {

namespace {

bool HoldsKindOf(const HostedDocument& document, DWORD typeWord) {
  for (const HostedModule& module : document.Modules()) {
    if ((module.type >> 16) == (typeWord >> 16)) return true;
  }
  return false;
}

template <class I>
Tarn::HeldReference<I> Query(IUnknown* object) {
  I* face = nullptr;
  if (object) object->QueryInterface(I::iid, reinterpret_cast<void**>(&face));
  return Tarn::HeldReference<I>(face);
}

std::u16string Text(HRESULT (IDocFileDescr::*get)(IQuorString**), IDocFileDescr& descriptor) {
  IQuorString* text = nullptr;
  (descriptor.*get)(&text);
  const std::u16string copy = Tarn::TextOf(text);
  if (text) text->Release();
  return copy;
}

}  // namespace

std::vector<SaveAsFormat> SaveAsFormats(const HostedDocument& document) {
  std::vector<SaveAsFormat> formats;
  for (const auto& classObject : Tarn::RegisteredClassObjects()) {
    if (classObject->IsCategory(CATID_TarnFileSaveAsClass) != S_OK) continue;
    DWORD type = 0;
    if (FAILED(classObject->GetTypeId(&type)) || !HoldsKindOf(document, type)) continue;
    auto saveAs = Query<IFileSaveAsClass>(classObject.get());
    auto descriptor = Query<IDocFileDescr>(classObject.get());
    if (!saveAs || !descriptor) continue;
    formats.push_back({Text(&IDocFileDescr::GetFileTypeName, *descriptor),
                       Text(&IDocFileDescr::GetExtension, *descriptor), type, std::move(saveAs)});
  }
  return formats;
}

HRESULT SaveDocumentAs(const HostedDocument& document, const SaveAsFormat& format,
                       const std::u16string& fileName) {
  Tarn::HeldReference<HostDocumentObject> hostDocument(new HostDocumentObject(document));
  const Quor::String name(fileName);
  IQuorString* nameObject = name.GetInterface();
  const HRESULT saved = format.saveAs->SaveAs(&HostApplication::Instance(), nameObject, nullptr,
                                              hostDocument.get());
  nameObject->Release();
  return saved;
}

}  // namespace PendrelHost
