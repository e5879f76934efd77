#include "views/export/crlf_text_buf.h"

#include "platform/win32/hresult.h"

namespace Rhyth {

namespace {

constexpr std::size_t kBlockBytes = 64 * 1024;
// The system's code for text that has no form in the file's code page.
constexpr DWORD kNoTranslation = 1113;

}  // namespace

CrLfTextBuf::CrLfTextBuf(ReplacingFile& file) : m_file(file) { m_block.reserve(kBlockBytes + 2); }

HRESULT CrLfTextBuf::Finish() {
  SendBlock();
  return m_failure;
}

CrLfTextBuf::int_type CrLfTextBuf::overflow(int_type character) {
  if (traits_type::eq_int_type(character, traits_type::eof())) return traits_type::not_eof(character);
  return Put(traits_type::to_char_type(character)) ? character : traits_type::eof();
}

std::streamsize CrLfTextBuf::xsputn(const char_type* text, std::streamsize count) {
  for (std::streamsize i = 0; i < count; ++i) {
    if (!Put(text[i])) return i;
  }
  return count;
}

bool CrLfTextBuf::Put(char_type character) {
  if (FAILED(m_failure)) return false;
  if (character < 0 || character > 0x7F) {
    m_failure = HRESULT_FROM_WIN32(kNoTranslation);
    return false;
  }
  if (character == L'\n') m_block += '\r';
  m_block += char(character);
  return m_block.size() < kBlockBytes || SendBlock();
}

bool CrLfTextBuf::SendBlock() {
  if (FAILED(m_failure)) return false;
  if (!m_block.empty()) m_failure = m_file.Write(m_block.data(), m_block.size());
  m_block.clear();
  return SUCCEEDED(m_failure);
}

}  // namespace Rhyth
