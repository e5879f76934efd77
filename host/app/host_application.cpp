#include "host/app/host_application.h"

#include "host/framework/call_arguments.h"
#include "host/framework/call_log.h"
#include "host/framework/guarded_call.h"
#include "host/framework/host_text.h"
#include "platform/win32/message_box.h"

namespace PendrelHost {

namespace {
constexpr const char* kService = "HostApp";
constexpr WORD kUsEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
}  // namespace

HostApplication& HostApplication::Instance() {
  static auto* application = new HostApplication;
  return *application;
}

HostApplication::HostApplication() : m_settings(new ApplicationSettings), m_language(kUsEnglish) {}

HRESULT HostApplication::GetApplicationSettings(ITarnApplicationSettings** settings) {
  Tarn::RecordCall(kService, "GetApplicationSettings");
  if (!settings) return E_POINTER;
  *settings = Tarn::Hold(m_settings.get()).release();
  return S_OK;
}

HRESULT HostApplication::GetRunState(DWORD* state, DWORD* detail) {
  Tarn::RecordCall(kService, "GetRunState");
  if (!state || !detail) return E_POINTER;
  std::lock_guard lock(m_mutex);
  *state = m_runState;
  *detail = m_runDetail;
  return S_OK;
}

HRESULT HostApplication::ShowNotice(DWORD kind, IQuorString* text) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall(kService, "ShowNotice",
                     "kind=" + Tarn::HexWord(kind) + ", text=" + Tarn::QuotedText(text));
    if (!text) return E_POINTER;
    std::u16string notice = Tarn::TextOf(text);
    std::lock_guard lock(m_mutex);
    m_notices.push_back(std::move(notice));
    return S_OK;
  });
}

HRESULT HostApplication::GetUserInterfaceLanguage(WORD* language) {
  Tarn::RecordCall(kService, "GetUserInterfaceLanguage");
  if (!language) return E_POINTER;
  std::lock_guard lock(m_mutex);
  *language = m_language;
  return S_OK;
}

HRESULT HostApplication::GetMainWindow(HWND* window) {
  Tarn::RecordCall(kService, "GetMainWindow");
  if (!window) return E_POINTER;
  std::lock_guard lock(m_mutex);
  *window = m_mainWindow;
  return S_OK;
}

void HostApplication::SetMainWindow(HWND window) {
  std::lock_guard lock(m_mutex);
  m_mainWindow = window;
}

HRESULT HostApplication::GetColourSource(ITarnColourSource** source) {
  Tarn::RecordCall(kService, "GetColourSource");
  if (!source) return E_POINTER;
  std::lock_guard lock(m_mutex);
  *source = Tarn::Hold(m_colourSource.get()).release();
  return *source ? S_OK : S_FALSE;
}

HRESULT HostApplication::ShowMessageBox(IQuorString* text, IQuorString* caption, UINT style,
                                        DWORD helpContext, int* answer) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall(kService, "ShowMessageBox",
                     "text=" + Tarn::QuotedText(text) + ", caption=" + Tarn::QuotedText(caption) +
                         ", style=" + Tarn::HexWord(style) +
                         ", help=" + Tarn::HexWord(helpContext));
    if (!answer) return E_POINTER;
    const std::u16string shown = Tarn::TextOf(text);
    const std::u16string title = Tarn::TextOf(caption);
    *answer = MessageBoxW(nullptr, shown.c_str(), title.c_str(), style);
    return S_OK;
  });
}

HRESULT HostApplication::SetStatusText(IQuorString* text) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall(kService, "SetStatusText", "text=" + Tarn::QuotedText(text));
    std::u16string status = Tarn::TextOf(text);
    std::lock_guard lock(m_mutex);
    if (!status.empty()) m_statusTexts.push_back(status);
    m_statusText = std::move(status);
    return S_OK;
  });
}

void HostApplication::SetRunState(DWORD state, DWORD detail) {
  std::lock_guard lock(m_mutex);
  m_runState = state;
  m_runDetail = detail;
}

void HostApplication::SetUserInterfaceLanguage(WORD language) {
  std::lock_guard lock(m_mutex);
  m_language = language;
}

void HostApplication::SetColourSource(ITarnColourSource* source) {
  Tarn::HeldReference<ITarnColourSource> previous = Tarn::Hold(source);
  {
    std::lock_guard lock(m_mutex);
    std::swap(previous, m_colourSource);
  }
  // The previous source goes outside the lock: its destructor is the caller's code.
}

std::vector<std::u16string> HostApplication::Notices() {
  std::lock_guard lock(m_mutex);
  return m_notices;
}

std::u16string HostApplication::StatusText() {
  std::lock_guard lock(m_mutex);
  return m_statusText;
}

std::vector<std::u16string> HostApplication::StatusTexts() {
  std::lock_guard lock(m_mutex);
  return m_statusTexts;
}

void HostApplication::Reset() {
  m_settings->Clear();
  SetColourSource(nullptr);
  std::lock_guard lock(m_mutex);
  m_runState = 0;
  m_runDetail = 0;
  m_language = kUsEnglish;
  m_notices.clear();
  m_statusTexts.clear();
  m_statusText.clear();
  m_mainWindow = nullptr;
  m_helpRequests.clear();
}

HRESULT HostApplication::ShowHelp(IQuorString* topic, IQuorString* helpFile) {
  Tarn::RecordCall(kService, "ShowHelp",
                   "topic=" + Tarn::QuotedText(topic) + ", file=" + Tarn::QuotedText(helpFile));
  std::lock_guard lock(m_mutex);
  m_helpRequests.emplace_back(Tarn::TextOf(topic), Tarn::TextOf(helpFile));
  return S_OK;
}

std::vector<std::pair<std::u16string, std::u16string>> HostApplication::HelpRequests() {
  std::lock_guard lock(m_mutex);
  return m_helpRequests;
}

}  // namespace PendrelHost
