// Reading numbers from an enumerator's parameter text. A text may stop early, and the numbers
// it leaves out keep their defaults; a word that is not a number makes the text bad.
#pragma once

#include <istream>

namespace EEH3 {

// Reads one value; when the text has run out, `value` takes `fallback` and the stream stays
// usable. False when the next word is not a number (the stream is then failed).
template <class T>
bool ReadOptional(std::wistream& in, T& value, T fallback) {
  if (in >> value) return true;
  if (!in.eof()) return false;
  value = fallback;
  in.clear(std::ios_base::eofbit);
  return true;
}

}  // namespace EEH3
