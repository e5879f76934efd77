// Positional formatting: a format text names its arguments "%1" to "%20", in any order; the
// caller streams the arguments one after another, finishing each with NextArgument, and the
// result has each argument's text in place of its placeholder.
//
//   Quor::OFormatStringStream formula(u"RhythSelector(%1,%2,%3)");
//   formula << source << Quor::endarg << threshold << Quor::endarg << window << Quor::endarg;
//   Quor::String text = formula.str();
//
// or, in one call, Quor::Format(u"RhythSelector(%1,%2,%3)", source, threshold, window).
//
// Format rules: "%%" is one '%' in the result (a '%' not followed by a second '%' stays as it
// is); after '%' a number is read as wcstol reads it (blanks and a sign allowed), and a '\'
// right after the digits is swallowed so that a digit may follow a placeholder ("%1\0"); a
// number outside 1 to 20, or a placeholder beyond the twentieth, stays text. The result is
// written once as many arguments have been finished as the highest placeholder number; until
// then it is empty. Further arguments are ignored. When a number is used twice, its argument
// goes to the later placeholder and the earlier one stays empty. A format without any
// placeholder is the result as it is, "%%" included.
#pragma once

#include <array>
#include <ios>
#include <ostream>

#include "core/ostring_stream.h"

namespace Quor {

class OFormatStream : public std::basic_ios<wchar_t> {
 public:
  static constexpr int kMaxPlaceholders = 20;

  OFormatStream(const OFormatStream&) = delete;
  OFormatStream& operator=(const OFormatStream&) = delete;

  // The stream that receives the text of the argument being collected; its own formatting
  // state (precision, width, flags) applies. Classic locale.
  std::wostream& Argument() { return m_arguments; }
  // Finishes the current argument; after the last one expected, writes the result.
  void NextArgument();

 protected:
  explicit OFormatStream(const String& format);
  ~OFormatStream() override;

  // Makes `output` the stream's buffer; the derived class calls it once its buffer exists.
  void AttachOutput(MemStreamBufBase* output);

 private:
  struct Placeholder {
    DWORD percent;  // position of its '%' in the format
    DWORD end;      // just after the digits (and a swallowed '\')
    DWORD argumentStart = 0;
    DWORD argumentLength = 0;  // in the argument stream
  };

  void ParseFormat();
  void WriteResult();
  // Writes format units [from, to), "%%" as '%'.
  void WriteLiteral(DWORD from, DWORD to);

  String m_format;
  OStringStream m_arguments;
  MemStreamBufBase* m_output = nullptr;
  DWORD m_lastArgumentEnd = 0;
  int m_finished = 0;
  int m_expected = 0;
  int m_recorded = 0;
  std::array<Placeholder, kMaxPlaceholders> m_placeholders{};
  std::array<int, kMaxPlaceholders + 1> m_placeholderOfArgument;  // by argument number; -1 none
};

class OFormatStringStream : public OFormatStream {
 public:
  explicit OFormatStringStream(const String& format);
  ~OFormatStringStream() override;

  // The result; empty while arguments are missing. Shares the buffer's representation.
  String str() { return m_output.str(); }

 private:
  StringStreamBuf m_output;
};

// Finishes the argument streamed before it: stream << value << Quor::endarg.
inline OFormatStream& endarg(OFormatStream& stream) {
  stream.NextArgument();
  return stream;
}

// Streams into the argument being collected.
template <class T>
OFormatStream& operator<<(OFormatStream& stream, const T& value) {
  stream.Argument() << value;
  return stream;
}

inline OFormatStream& operator<<(OFormatStream& stream, const WCHAR* text) {
  stream.Argument() << String(text);
  return stream;
}

inline OFormatStream& operator<<(OFormatStream& stream,
                                 std::wostream& (*manipulator)(std::wostream&)) {
  manipulator(stream.Argument());
  return stream;
}

inline OFormatStream& operator<<(OFormatStream& stream,
                                 OFormatStream& (*manipulator)(OFormatStream&)) {
  return manipulator(stream);
}

// Formats with one argument per value.
template <class... Values>
String Format(const String& format, const Values&... values) {
  OFormatStringStream stream(format);
  ((stream << values << endarg), ...);
  return stream.str();
}

}  // namespace Quor
