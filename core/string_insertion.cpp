// Insertion of a Quor::String into a wide stream.
#include <ostream>
#include <string>

#include "core/quor_string.h"
#include "core/wide_units.h"

namespace Quor {

std::wostream& operator<<(std::wostream& stream, const String& s) {
  std::wstring characters;
  characters.reserve(s.Length());
  const WCHAR* units = s.c_str();
  for (DWORD at = 0, consumed = 0; at < s.Length(); at += consumed) {
    characters.push_back(DecodeWide(units + at, s.Length() - at, consumed));
  }
  return stream << characters;
}

}  // namespace Quor
