#include "plotengine/byte_string_reader.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "core/reader_seek.h"

namespace Quor {

ByteStringReader::ByteStringReader(std::string data, HRESULT nullPosition)
    : m_data(std::move(data)), m_nullPosition(nullPosition) {}

HRESULT ByteStringReader::Seek(LONG offset, DWORD origin) {
  return ResolveReaderSeek(m_position, static_cast<DWORD>(m_data.size()), offset, origin,
                           &m_position);
}

HRESULT ByteStringReader::GetPosition(DWORD* position) {
  if (!position) return m_nullPosition;
  *position = m_position;
  return S_OK;
}

HRESULT ByteStringReader::IsEnd() { return m_position >= m_data.size() ? S_OK : S_FALSE; }

DWORD ByteStringReader::CopyOut(void* target, unsigned long long bytes) {
  const unsigned long long left = m_data.size() - m_position;
  const auto n = static_cast<DWORD>(std::min(bytes, left));
  std::memcpy(target, m_data.data() + m_position, n);
  m_position += n;
  return n;
}

}  // namespace Quor
