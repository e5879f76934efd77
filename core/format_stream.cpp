#include "core/format_stream.h"

#include <algorithm>
#include <locale>

namespace Quor {

namespace {

bool IsBlank(WCHAR c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }
bool IsDigit(WCHAR c) { return c >= u'0' && c <= u'9'; }

// Reads a base-10 number at `at` as wcstol does (leading blanks, a sign); `end` receives the
// position after the digits, or `at` when there are none (and the result is then 0). Large
// values are capped: they only need to compare above the placeholder limit.
long ReadNumber(const WCHAR* text, DWORD at, DWORD length, DWORD& end) {
  DWORD i = at;
  while (i < length && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < length && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
  if (i >= length || !IsDigit(text[i])) {
    end = at;
    return 0;
  }
  long value = 0;
  for (; i < length && IsDigit(text[i]); ++i) {
    value = std::min(value * 10 + (text[i] - u'0'), 1000000L);
  }
  end = i;
  return negative ? -value : value;
}

}  // namespace

OFormatStream::OFormatStream(const String& format) : m_format(format) {
  m_placeholderOfArgument.fill(-1);
  ParseFormat();
}

OFormatStream::~OFormatStream() = default;

void OFormatStream::AttachOutput(MemStreamBufBase* output) {
  m_output = output;
  init(output);
  imbue(std::locale::classic());
  if (m_recorded == 0) output->WriteUnits(m_format.c_str(), m_format.Length());
}

void OFormatStream::ParseFormat() {
  const WCHAR* text = m_format.c_str();
  const DWORD length = m_format.Length();
  DWORD cursor = 0;
  while (cursor < length) {
    const DWORD percent = DWORD(std::find(text + cursor, text + length, u'%') - text);
    if (percent == length) break;
    if (percent + 1 < length && text[percent + 1] == u'%') {
      cursor = percent + 2;
      continue;
    }
    DWORD end = 0;
    const long number = ReadNumber(text, percent + 1, length, end);
    if (number == 0) {  // no digits, or "%0": the '%' is text
      cursor = percent + 1;
      continue;
    }
    if (end < length && text[end] == u'\\') ++end;
    // Only a recorded placeholder counts towards the arguments expected; any other stays text.
    if (number <= kMaxPlaceholders && number >= 1 && m_recorded < kMaxPlaceholders) {
      m_placeholders[m_recorded] = Placeholder{percent, end};
      m_placeholderOfArgument[number] = m_recorded++;
      m_expected = std::max(m_expected, int(number));
    }
    cursor = end;
  }
}

void OFormatStream::NextArgument() {
  if (m_finished == m_expected) return;  // extra arguments are ignored
  const auto position = DWORD(
      m_arguments.rdbuf()->pubseekoff(0, std::ios_base::cur, std::ios_base::out));
  ++m_finished;
  const int index = m_placeholderOfArgument[m_finished];
  if (index >= 0) {
    m_placeholders[index].argumentStart = m_lastArgumentEnd;
    m_placeholders[index].argumentLength = position - m_lastArgumentEnd;
  }
  m_lastArgumentEnd = position;
  if (m_finished == m_expected) WriteResult();
}

void OFormatStream::WriteResult() {
  const String arguments = m_arguments.str();
  DWORD literalStart = 0;
  for (int i = 0; i < m_recorded; ++i) {
    const Placeholder& placeholder = m_placeholders[i];
    WriteLiteral(literalStart, placeholder.percent);
    m_output->WriteUnits(arguments.c_str() + placeholder.argumentStart,
                         placeholder.argumentLength);
    literalStart = placeholder.end;
  }
  WriteLiteral(literalStart, m_format.Length());
}

void OFormatStream::WriteLiteral(DWORD from, DWORD to) {
  const WCHAR* text = m_format.c_str();
  while (from < to) {
    const WCHAR* percent = std::find(text + from, text + to, u'%');
    const DWORD stop = DWORD(percent - text);
    const bool escaped = stop + 1 < to && text[stop + 1] == u'%';
    // Up to and including the '%'; the second '%' of "%%" is skipped.
    const DWORD kept = std::min(stop + 1, to);
    m_output->WriteUnits(text + from, kept - from);
    from = escaped ? stop + 2 : kept;
  }
}

OFormatStringStream::OFormatStringStream(const String& format)
    : OFormatStream(format), m_output(std::ios_base::in | std::ios_base::out) {
  AttachOutput(&m_output);
}

OFormatStringStream::~OFormatStringStream() = default;

}  // namespace Quor
