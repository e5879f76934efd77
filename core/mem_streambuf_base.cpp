#include "core/mem_streambuf_base.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>

#include "core/wide_units.h"

namespace Quor {

namespace {

constexpr std::uint64_t kMaximumUnits = 0x7FFFFFF0;

}  // namespace

MemStreamBufBase::MemStreamBufBase(std::ios_base::openmode mode, DWORD initialUnits)
    : m_mode(mode), m_end(initialUnits), m_put(initialUnits), m_get(0) {}

WCHAR* MemStreamBufBase::Reserve(DWORD count) {
  const std::uint64_t needed = std::uint64_t(m_put) + count + 1;
  if (needed > kMaximumUnits) throw std::length_error("Quor::MemStreamBufBase: text too long");
  DWORD capacity = 0;
  WCHAR* text = GetBuffer(capacity);
  if (needed > capacity) {
    text = Grow(static_cast<DWORD>(std::max<std::uint64_t>(needed, std::uint64_t(capacity) * 2)),
                capacity);
  }
  return text;
}

void MemStreamBufBase::Advance(DWORD count) {
  m_put += count;
  m_end = std::max(m_end, m_put);
}

bool MemStreamBufBase::WriteUnits(const WCHAR* units, DWORD count) {
  if (!(m_mode & std::ios_base::out)) return false;
  if (count == 0) return true;
  WCHAR* text = Reserve(count);
  std::copy(units, units + count, text + m_put);
  Advance(count);
  return true;
}

std::streamsize MemStreamBufBase::xsputn(const wchar_t* characters, std::streamsize count) {
  if (!(m_mode & std::ios_base::out) || count <= 0) return 0;
  std::uint64_t units = 0;
  for (std::streamsize i = 0; i < count; ++i) units += UnitsOfWide(characters[i]);
  if (units > kMaximumUnits) throw std::length_error("Quor::MemStreamBufBase: text too long");
  WCHAR* out = Reserve(static_cast<DWORD>(units)) + m_put;
  for (std::streamsize i = 0; i < count; ++i) out += EncodeWide(characters[i], out);
  Advance(static_cast<DWORD>(units));
  return count;
}

MemStreamBufBase::int_type MemStreamBufBase::overflow(int_type c) {
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  const wchar_t character = traits_type::to_char_type(c);
  return xsputn(&character, 1) == 1 ? c : traits_type::eof();
}

// The get area holds one character at a time; when it has been consumed, the next underflow
// moves past its units.
MemStreamBufBase::int_type MemStreamBufBase::underflow() {
  if (!(m_mode & std::ios_base::in)) return traits_type::eof();
  if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
  m_get += m_getUnits;
  m_getUnits = 0;
  setg(nullptr, nullptr, nullptr);
  if (m_get >= m_end) return traits_type::eof();
  DWORD capacity = 0;
  const WCHAR* text = GetBuffer(capacity);
  m_getCharacter = DecodeWide(text + m_get, m_end - m_get, m_getUnits);
  setg(&m_getCharacter, &m_getCharacter, &m_getCharacter + 1);
  return traits_type::to_int_type(m_getCharacter);
}

DWORD MemStreamBufBase::GetPosition() const {
  // A character still in the get area has not been read yet.
  return gptr() < egptr() ? m_get : m_get + m_getUnits;
}

void MemStreamBufBase::SeekGet(DWORD position) {
  m_get = position;
  m_getUnits = 0;
  setg(nullptr, nullptr, nullptr);
}

MemStreamBufBase::pos_type MemStreamBufBase::seekoff(off_type offset,
                                                     std::ios_base::seekdir direction,
                                                     std::ios_base::openmode which) {
  const pos_type failed(off_type(-1));
  const bool in = (which & m_mode & std::ios_base::in) != 0;
  const bool out = (which & m_mode & std::ios_base::out) != 0;
  if (!in && !out) return failed;
  off_type base = 0;
  if (direction == std::ios_base::end) {
    base = m_end;
  } else if (direction == std::ios_base::cur) {
    if (in && out) return failed;  // the two positions may differ: "current" names neither
    base = in ? GetPosition() : m_put;
  }
  const off_type target = base + offset;
  if (target < 0 || target > off_type(m_end)) return failed;
  if (in) SeekGet(static_cast<DWORD>(target));
  if (out) m_put = static_cast<DWORD>(target);
  return pos_type(target);
}

MemStreamBufBase::pos_type MemStreamBufBase::seekpos(pos_type position,
                                                     std::ios_base::openmode which) {
  return seekoff(off_type(position), std::ios_base::beg, which);
}

}  // namespace Quor
