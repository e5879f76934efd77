#include "host/app/host_application.h"

#include "host/framework/call_arguments.h"
#include "host/framework/call_log.h"
#include "host/framework/guarded_call.h"
#include "host/framework/host_text.h"

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
  *window = nullptr;
  return S_OK;
}

HRESULT HostApplication::GetColourSource(ITarnColourSource** source) {
  Tarn::RecordCall(kService, "GetColourSource");
  if (!source) return E_POINTER;
  std::lock_guard lock(m_mutex);
  *source = Tarn::Hold(m_colourSource.get()).release();
  return *source ? S_OK : S_FALSE;
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

void HostApplication::Reset() {
  m_settings->Clear();
  SetColourSource(nullptr);
  std::lock_guard lock(m_mutex);
  m_runState = 0;
  m_runDetail = 0;
  m_language = kUsEnglish;
  m_notices.clear();
}

}  // namespace PendrelHost
