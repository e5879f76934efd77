// A stand-in for the host application object, registered once per test process under the
// host's class id so that the module's host accessors find it: it answers the user-interface
// language and the "visible" preference, both set by the tests.
#pragma once

#include "platform/pendrel/host_app.h"
#include "platform/win32/com_object.h"

namespace controls_testing {

class FakeHostApp : public NoDeleteUnknownImp2<ITarnHostApp, ITarnApplicationSettings> {
 public:
  WORD language = 0x0409;
  bool visible = true;
  int languageQueries = 0;

  HRESULT GetApplicationSettings(ITarnApplicationSettings** settings) override;
  HRESULT GetRunState(DWORD* state, DWORD* detail) override;
  HRESULT ShowNotice(DWORD, IQuorString*) override { return S_OK; }
  HRESULT GetUserInterfaceLanguage(WORD* value) override;
  HRESULT GetMainWindow(HWND* window) override;
  HRESULT GetColourSource(ITarnColourSource** source) override;
  HRESULT ShowMessageBox(IQuorString*, IQuorString*, UINT, DWORD, int* answer) override;
  HRESULT SetStatusText(IQuorString*) override { return S_OK; }
  HRESULT ShowHelp(IQuorString*, IQuorString*) override { return S_OK; }

  HRESULT GetBoolValue(IQuorString* key, BOOL defaultValue, BOOL* value) override;
  HRESULT SetBoolValue(IQuorString*, BOOL) override { return S_OK; }
};

// The process's one stand-in, registered on first use; tests reset its fields.
FakeHostApp& TheFakeHostApp();

}  // namespace controls_testing
