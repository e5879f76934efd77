// Rhyth::RRIntervalSaveClassObject: the RR interval export, the one file format the module
// offers the host's save-as ("Rhyth RR Interval Text File", extension "txt"). Asked to save a
// host document, it finds the analysis document the host holds for it and writes its RR
// intervals (rr_interval_file.h); a failure is shown in a message box over the host's main
// window and answered with the code of a failure already shown. Module registration makes one
// instance, which lives until the module unloads; between saves it keeps the window its last
// message box was shown over.
#pragma once

#include <memory>

#include "hostframework/saveas/file_save_as_base.h"
#include "platform/owl/window.h"
#include "platform/pendrel/tabulon.h"
#include "views/export/replacing_file.h"

namespace Rhyth {

class RRIntervalSaveClassObject final : public FileSaveAsBase {
 public:
  // `calls` outlives the object; tests give calls that fail.
  explicit RRIntervalSaveClassObject(const FileCalls& calls = SystemFileCalls());

  // The class type word, (host id of the document GUID << 16) | 4, asked once per process.
  static DWORD TypeWord();

  // Writes the file; the options are not used. S_OK, S_FALSE for an analysis without RR
  // intervals, E_FAIL when the host document is not one, or 0xA004820F after showing why the
  // file could not be written.
  HRESULT SaveAs2(IUnknown* application, IAutoQuorString* fileName, IUnknown* reserved,
                  DWORD options, IUnknown* hostDocument) override;

  // The window the last message box was shown over.
  HWND ParentWindow() const { return m_parent ? m_parent->GetHandle() : nullptr; }

 protected:
  Quor::String ClassName() const override;

 private:
  ~RRIntervalSaveClassObject() override = default;

  // Throws XQuor with the message to show.
  HRESULT Save(IPendrelModuleDocuments& documents, const Quor::String& fileName);
  void TakeParentWindow(IUnknown* application);
  void ShowFailure(const Quor::String& message);

  const FileCalls& m_calls;
  // The framework's window of the host's main window, or a window object attached to it.
  OWL::TWindow* m_parent = nullptr;
  std::unique_ptr<OWL::TWindow> m_attached;
};

// A new class object with one reference for the caller.
ITarnClassObject* NewRRIntervalSaveClassObject();

}  // namespace Rhyth

// Referenced by the module's link so that the export's class maker is always in it.
extern "C" int RhythRRIntervalSaveClassAnchor;
