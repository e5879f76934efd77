// The host application object: settings, run state, notices to the user, message boxes (through
// the platform's scripted answerer), help topics (recorded), the status line, the user-interface
// language, the main window (none unless a HostMainWindow stands) and the colour source of
// traces.
// Tests and the command line set what a user or a recording would decide.
#pragma once

#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "host/app/application_settings.h"
#include "host/framework/held_reference.h"
#include "platform/pendrel/host_app.h"
#include "platform/win32/com_object.h"

namespace PendrelHost {

class HostApplication final : public SimpleUnknownImp1<ITarnHostApp, 1> {
 public:
  // The process-wide object; the host's own reference keeps it for the life of the process.
  static HostApplication& Instance();

  HRESULT GetApplicationSettings(ITarnApplicationSettings** settings) override;
  HRESULT GetRunState(DWORD* state, DWORD* detail) override;
  HRESULT ShowNotice(DWORD kind, IQuorString* text) override;
  HRESULT GetUserInterfaceLanguage(WORD* language) override;
  HRESULT GetMainWindow(HWND* window) override;
  // S_FALSE with no source when none is set.
  HRESULT GetColourSource(ITarnColourSource** source) override;
  HRESULT ShowMessageBox(IQuorString* text, IQuorString* caption, UINT style, DWORD helpContext,
                         int* answer) override;
  HRESULT SetStatusText(IQuorString* text) override;
  HRESULT ShowHelp(IQuorString* topic, IQuorString* helpFile) override;

  // 0 is the normal run state.
  void SetRunState(DWORD state, DWORD detail);
  void SetUserInterfaceLanguage(WORD language);
  // The window GetMainWindow gives; null for none.
  void SetMainWindow(HWND window);
  // The help topics asked for so far, oldest first, each as (topic, help file).
  std::vector<std::pair<std::u16string, std::u16string>> HelpRequests();
  // Holds a reference on the source; null takes it away.
  void SetColourSource(ITarnColourSource* source);
  // The texts of the notices shown so far, oldest first.
  std::vector<std::u16string> Notices();
  // The status line's text, and every text it showed, oldest first.
  std::u16string StatusText();
  std::vector<std::u16string> StatusTexts();
  // Back to the state at start: no settings, running normally, no notices, no colour source,
  // US English.
  void Reset();

 private:
  HostApplication();

  Tarn::HeldReference<ApplicationSettings> m_settings;
  std::mutex m_mutex;
  DWORD m_runState = 0;
  DWORD m_runDetail = 0;
  WORD m_language;
  Tarn::HeldReference<ITarnColourSource> m_colourSource;
  std::vector<std::u16string> m_notices;
  std::vector<std::u16string> m_statusTexts;
  std::u16string m_statusText;
  HWND m_mainWindow = nullptr;
  std::vector<std::pair<std::u16string, std::u16string>> m_helpRequests;
};

}  // namespace PendrelHost
