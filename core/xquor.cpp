#include "core/xquor.h"

#include "core/branded_strings.h"
#include "platform/win32/system_messages.h"

namespace {

constexpr HRESULT kStorageWrittenByNewerVersion = MakeHResult(0x80030105);  // STG_E_OLDDLL

// String ids of the host's texts for the codes 0xA0048200 to 0xA004821D; 0 where it has none.
constexpr WORD kModuleErrorTextIds[30] = {
    0xE001, 0xE002, 0xE003, 0xE004, 0xE005, 0xE005, 0xE008, 0xE006, 0xE007, 0xE00A,
    0,      0,      0,      0,      0,      0,      0,      0,      0xE00E, 0,
    0,      0,      0,      0,      0,      0,      0xE00F, 0xE010, 0,      0,
};

bool IsModuleCode(HRESULT code) {
  const auto bits = static_cast<std::uint32_t>(code);
  return HRESULT_FACILITY(code) == FACILITY_ITF && (bits & 0x20000000) && (bits & 0x8000);
}

Quor::String SystemText(HRESULT code) {
  DWORD id = static_cast<DWORD>(code);
  if (HRESULT_FACILITY(code) == FACILITY_WIN32) id = static_cast<DWORD>(HRESULT_CODE(code));
  // A buffer per call: several threads may be turning codes into text at once.
  WCHAR buffer[512];
  const DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                 nullptr, id, 0x0400, buffer, 511, nullptr);
  Quor::String text(buffer, static_cast<int>(n));
  if (text.Length() > 1) {
    const DWORD length = text.Length();
    if (length >= 2 && text[length - 2] == u'\r' && text[length - 1] == u'\n') {
      text.EraseRange(length - 2, length);
    }
    if (text.Length() > 0 && text[text.Length() - 1] != u'.') text += u'.';
  }
  return text;
}

}  // namespace

XQuor::XQuor(HRESULT code) : m_code(code), m_message(Quor::FormatHResultText(code)) {}

XQuor::XQuor(const Quor::String& context, HRESULT code) : m_code(code), m_message(context) {
  if (code != 0 && code != kXQuorMessageIsReport && code != kXQuorMessageIsReport2) {
    m_message += u"\n";
    m_message += Quor::FormatHResultText(code);
  }
}

const char* XQuor::what() const noexcept {
  // A derived message decides the text; the narrow copy lives in this exception's string.
  try {
    Quor::String message = GetMessage();
    const QuorString::StringRep* rep = QuorString::StringRep::FromText(m_message.c_str());
    // Asking twice must not free the text handed out the first time.
    if (message.c_str() == m_message.c_str() && rep->narrowValid && rep->narrow) return rep->narrow;
    m_message = message;
    message = Quor::String();
    return m_message.ToNarrowCopy();
  } catch (...) {
    return "XQuor";
  }
}

namespace Quor {

String FormatHResultText(HRESULT code) {
  if (code == kStorageWrittenByNewerVersion) code = kXQuorNewerVersion;
  if (IsModuleCode(code)) return ModuleErrorText(code);
  return SystemText(code);
}

String ModuleErrorText(HRESULT code) {
  if (!IsModuleCode(code) || code == kXQuorMessageIsReport || code == kXQuorMessageIsReport2 ||
      code == kXQuorSilent) {
    return String();
  }
  const int index = HRESULT_CODE(code) - 0x8200;
  if ((static_cast<std::uint32_t>(code) & 0xFFFF0000) != 0xA0040000 || index < 0 || index >= 30 ||
      kModuleErrorTextIds[index] == 0) {
    return String();
  }
  return LoadResourceString(nullptr, kModuleErrorTextIds[index], true);
}

}  // namespace Quor
