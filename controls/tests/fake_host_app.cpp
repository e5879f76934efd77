#include "controls/tests/fake_host_app.h"

#include "platform/pendrel/framework_ids.h"
#include "platform/win32/com_runtime.h"
#include "platform/win32/message_box.h"

namespace controls_testing {

HRESULT FakeHostApp::GetApplicationSettings(ITarnApplicationSettings** settings) {
  *settings = this;
  return S_OK;
}

HRESULT FakeHostApp::GetRunState(DWORD* state, DWORD* detail) {
  *state = *detail = 0;
  return S_OK;
}

HRESULT FakeHostApp::GetUserInterfaceLanguage(WORD* value) {
  ++languageQueries;
  *value = language;
  return S_OK;
}

HRESULT FakeHostApp::GetMainWindow(HWND* window) {
  *window = nullptr;
  return E_FAIL;
}

HRESULT FakeHostApp::GetColourSource(ITarnColourSource** source) {
  *source = nullptr;
  return E_NOTIMPL;
}

HRESULT FakeHostApp::ShowMessageBox(IQuorString*, IQuorString*, UINT, DWORD, int* answer) {
  *answer = IDOK;
  return S_OK;
}

HRESULT FakeHostApp::GetBoolValue(IQuorString*, BOOL, BOOL* value) {
  *value = visible ? TRUE : FALSE;
  return S_OK;
}

FakeHostApp& TheFakeHostApp() {
  static FakeHostApp app;
  static const bool registered = [] {
    DWORD cookie = 0;
    return CoRegisterClassObject(CLSID_TarnHostApp, static_cast<ITarnHostApp*>(&app), CLSCTX_INPROC_SERVER,
                                 REGCLS_MULTIPLEUSE, &cookie) >= 0;
  }();
  (void)registered;
  return app;
}

}  // namespace controls_testing
