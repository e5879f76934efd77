// The persisted form of a Quor::String in a binary stream.
//
// From stream version 10 on: i32 tag, u32 n (units with the terminating NUL, so the empty
// string has n = 1), i32 check = -n, then the n units. Tag bit 31 set means UTF-16 units
// (the only form written); clear, n bytes in the ANSI code page. Before version 10: u32 n (at
// most 64000) and n ANSI bytes.
#pragma once

#include "core/bin_istream.h"
#include "core/bin_ostream.h"
#include "core/quor_string.h"

namespace Quor {

constexpr DWORD kStringRecordWideTag = 0x80000001;
// The first stream version that carries the tagged record.
constexpr DWORD kTaggedStringRecordVersion = 10;
constexpr DWORD kOldStringRecordMaxCount = 64000;

void WriteString(BinOStream& stream, const String& text);

// Throws XQuor kXQuorBadStringRecord for a record whose counts cannot be right. A record that
// runs past the end of the data fails the stream (and leaves `text` empty); the text is taken
// in as its bytes arrive, so a count far beyond the data allocates nothing large.
void ReadString(BinIStream& stream, String& text);

}  // namespace Quor
