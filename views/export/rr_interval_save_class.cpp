#include "views/export/rr_interval_save_class.h"

#include "analysis/document/document_ids.h"
#include "analysis/export/rr_export_maker.h"
#include "analysis/module_strings.h"
#include "core/xquor.h"
#include "hostframework/extlib/host_calls.h"
#include "platform/pendrel/host_app.h"
#include "platform/pendrel/tabulon.h"
#include "platform/win32/message_box.h"
#include "views/base/view_window_parts.h"
#include "views/export/rr_interval_file.h"

namespace Rhyth {

namespace {

constexpr UINT kExtensionId = 5;
constexpr UINT kFileTypeNameId = 6;
constexpr UINT kNeedsAnalysisId = 7;

using RRExportTypeId = TypeIdClass<&GUID_RhythDocumentObj, 4>;

// The analysis document the host keeps for the host document; throws when it has none.
Document& AnalysisOf(IPendrelModuleDocuments& documents) {
  Quor::ComPtr<IUnknown> child;
  documents.GetModuleDocument(DocumentTypeId::Id(), Quor::ComPtrOut<IUnknown>::Bind(child));
  Document* analysis = DocumentBehind(child.Get());
  if (!analysis) throw XQuor(ModuleString(kNeedsAnalysisId), kXQuorMessageIsReport);
  return *analysis;
}

}  // namespace

RRIntervalSaveClassObject::RRIntervalSaveClassObject(const FileCalls& calls)
    : FileSaveAsBase(TypeWord(), ModuleString(kExtensionId), ModuleString(kFileTypeNameId)),
      m_calls(calls) {}

DWORD RRIntervalSaveClassObject::TypeWord() { return RRExportTypeId::Id(); }

Quor::String RRIntervalSaveClassObject::ClassName() const {
  return Quor::String(u"class Rhyth::RRIntervalSaveClassObject");
}

HRESULT RRIntervalSaveClassObject::SaveAs2(IUnknown* application, IAutoQuorString* fileName,
                                           IUnknown*, DWORD, IUnknown* hostDocument) {
  try {
    const auto documents = ExtLib::Query<IPendrelModuleDocuments>(hostDocument);
    if (!documents) return E_FAIL;
    // This module's own string is shared, any other copied.
    const Quor::String name(fileName);
    TakeParentWindow(application);
    try {
      return Save(*documents.Get(), name);
    } catch (const XQuor& failure) {
      ShowFailure(failure.GetMessage());
      return kXQuorSilent;
    }
  } catch (...) {
    return E_FAIL;
  }
}

HRESULT RRIntervalSaveClassObject::Save(IPendrelModuleDocuments& documents,
                                        const Quor::String& fileName) {
  // Everything the file needs is found before anything at the target is touched.
  Document& analysis = AnalysisOf(documents);
  const HRESULT written = WriteRRIntervalFile(analysis.Engine(), fileName.ToUtf8String(), m_calls);
  if (FAILED(written)) throw XQuor(ModuleString(kNeedsAnalysisId), written);
  return written;
}

void RRIntervalSaveClassObject::TakeParentWindow(IUnknown* application) {
  HWND main = nullptr;
  if (const auto host = ExtLib::Query<ITarnHostApp>(application)) host->GetMainWindow(&main);
  m_attached.reset();
  m_parent = OWL::TWindow::FromHandle(main);
  if (!m_parent && main) {
    m_attached = std::make_unique<OWL::TWindow>(main);
    m_parent = m_attached.get();
  }
}

void RRIntervalSaveClassObject::ShowFailure(const Quor::String& message) {
  const Quor::String caption = ModuleString(kFileTypeNameId);
  MessageBoxW(ParentWindow(), message.c_str(), caption.c_str(), MB_OK | MB_ICONERROR);
}

ITarnClassObject* NewRRIntervalSaveClassObject() {
  auto* object = new RRIntervalSaveClassObject;
  object->AddRef();
  return object;
}

namespace {
const bool kMakerSet = SetRRIntervalSaveClassMaker(&NewRRIntervalSaveClassObject);
}  // namespace

}  // namespace Rhyth

extern "C" {
int RhythRRIntervalSaveClassAnchor = 0;
}
