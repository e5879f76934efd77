#include "hostframework/document/tarn_message_box.h"

#include "hostframework/host_services.h"
#include "platform/win32/message_box.h"

int TarnMessageBox(const Quor::String& text, const Quor::String& caption, UINT style,
                   DWORD helpContext) {
  ITarnHostApp* application = GetTarnHostApp();
  if (!application) return IDCANCEL;
  IQuorString* shown = text.GetInterface();
  IQuorString* title = caption.GetInterface();
  int answer = IDCANCEL;
  if (FAILED(application->ShowMessageBox(shown, title, style, helpContext, &answer))) {
    answer = IDCANCEL;
  }
  shown->Release();
  title->Release();
  return answer;
}
