// Extraction of one whitespace-delimited word from a wide stream into a Quor::String.
#include <istream>
#include <locale>

#include "core/quor_string.h"
#include "core/wide_units.h"

namespace Quor {

std::wistream& operator>>(std::wistream& stream, String& s) {
  s.Clear();
  stream.width(0);  // the string bounds the word by its own capacity, not by the caller's width
  const std::wistream::sentry sentry(stream);  // skips leading white space
  if (!sentry) return stream;
  const auto& ctype = std::use_facet<std::ctype<wchar_t>>(stream.getloc());
  std::wstreambuf* buffer = stream.rdbuf();
  DWORD extracted = 0;
  std::ios_base::iostate state = std::ios_base::goodbit;
  for (;;) {
    const std::wstreambuf::int_type next = buffer->sgetc();
    if (std::wstreambuf::traits_type::eq_int_type(next, std::wstreambuf::traits_type::eof())) {
      state |= std::ios_base::eofbit;
      break;
    }
    const wchar_t c = std::wstreambuf::traits_type::to_char_type(next);
    if (ctype.is(std::ctype_base::space, c)) break;
    WCHAR units[2];
    const DWORD count = EncodeWide(c, units);
    // A word longer than the room is read in pieces, the capacity doubling each time.
    while (s.Capacity() - (s.Length() + 1) < count) s.SetCapacity(s.Capacity() * 2);
    QuorString::StringRep* rep = s.Rep();
    WCHAR* end = rep->Text() + rep->length - 1;
    end[0] = units[0];
    if (count == 2) end[1] = units[1];
    end[count] = 0;
    rep->length += count;
    extracted += count;
    buffer->sbumpc();
  }
  if (extracted == 0) state |= std::ios_base::failbit;
  stream.setstate(state);
  return stream;
}

}  // namespace Quor
