// Quor::MemStreamBufBase: a wide stream buffer over a block of UTF-16 memory that a derived
// buffer supplies and grows. The stream side speaks wchar_t (32 bits on Linux), the memory holds
// UTF-16 units: a character above U+FFFF is stored as a surrogate pair, and a pair is read back
// as one character. Positions (tellp, seekp, seekg) count UTF-16 units.
//
// The buffer keeps no put or get area of its own memory, so every write goes straight to the
// derived buffer's memory and every stream has its own storage.
#pragma once

#include <ios>
#include <streambuf>

#include "platform/win32/types.h"

namespace Quor {

class MemStreamBufBase : public std::basic_streambuf<wchar_t> {
 public:
  // Writes units at the put position (overwriting what follows it, if anything); false when the
  // buffer is not open for output.
  bool WriteUnits(const WCHAR* units, DWORD count);
  // Units of text held: the furthest point ever written, or the initial text.
  DWORD UnitsWritten() const { return m_end; }

 protected:
  // `initialUnits` units of text are already in the memory; writing appends after them.
  MemStreamBufBase(std::ios_base::openmode mode, DWORD initialUnits);

  // The memory, private to this buffer and writable, and its capacity in units.
  virtual WCHAR* GetBuffer(DWORD& capacity) = 0;
  // Changes the capacity to at least newCapacity, keeping the UnitsWritten() units of text.
  virtual WCHAR* Grow(DWORD newCapacity, DWORD& capacity) = 0;

  int_type overflow(int_type c) override;
  std::streamsize xsputn(const wchar_t* characters, std::streamsize count) override;
  int_type underflow() override;
  pos_type seekoff(off_type offset, std::ios_base::seekdir direction,
                   std::ios_base::openmode which) override;
  pos_type seekpos(pos_type position, std::ios_base::openmode which) override;

 private:
  // Memory with room for `count` more units at the put position and a NUL after them.
  WCHAR* Reserve(DWORD count);
  void Advance(DWORD count);
  DWORD GetPosition() const;
  void SeekGet(DWORD position);

  std::ios_base::openmode m_mode;
  DWORD m_end;  // units of text
  DWORD m_put;  // where the next unit is written
  DWORD m_get;  // where the character in the one-character get area starts
  DWORD m_getUnits = 0;  // units of that character; 0 when none is loaded
  wchar_t m_getCharacter = 0;
};

}  // namespace Quor
