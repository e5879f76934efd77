#include "core/string_streambuf.h"

namespace Quor {

namespace {

// Room that a handed-out text must leave for writing to go on in a copy of the same capacity.
constexpr DWORD kRoomToKeepCapacity = 8;

}  // namespace

StringStreamBuf::StringStreamBuf(std::ios_base::openmode mode, const String& initial)
    : MemStreamBufBase(mode, initial.Length()), m_string(initial) {}

String StringStreamBuf::str() {
  if (!m_taken) {
    // A NUL written last already ends the text.
    DWORD characters = UnitsWritten();
    if (characters > 0 && m_string.c_str()[characters - 1] == 0) --characters;
    if (m_string.Length() != characters) m_string.SetLength(characters);
    m_taken = true;
  }
  return m_string;
}

WCHAR* StringStreamBuf::GetBuffer(DWORD& capacity) {
  if (m_taken) {
    m_taken = false;
    const DWORD room = m_string.Capacity() - (m_string.Length() + 1);
    if (room < kRoomToKeepCapacity) m_string.SetCapacity(m_string.Capacity() * 2);
  }
  WCHAR* text = m_string.WritableText();  // a copy while the text is still shared
  capacity = m_string.Capacity();
  return text;
}

WCHAR* StringStreamBuf::Grow(DWORD newCapacity, DWORD& capacity) {
  m_string.SetLength(UnitsWritten());  // the units that the new representation keeps
  m_string.SetCapacity(newCapacity);
  capacity = m_string.Capacity();
  return m_string.WritableText();
}

}  // namespace Quor
