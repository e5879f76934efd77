#include "plotengine/tasks/plot_settings_writer.h"

#include <cmath>
#include <limits>
#include <optional>

#include "core/quor_string.h"
#include "plotengine/markup/script_number.h"

namespace Quor {
namespace {

// A forward reader of markup text that knows its tokens well enough to skip strings and
// comments, so that braces, names and commas inside them are never taken for structure.
class MarkupScanner {
 public:
  MarkupScanner(std::u16string_view text, std::size_t from, std::size_t end)
      : m_text(text), m_pos(from), m_end(std::min(end, text.size())) {}

  std::size_t Position() const { return m_pos; }
  bool AtEnd() const { return m_pos >= m_end; }
  char16_t Peek() const { return m_text[m_pos]; }

  // Skips blanks and comments; true when a comment was among them.
  bool SkipBlanks() {
    bool comment = false;
    while (!AtEnd()) {
      if (IsBlank(Peek())) {
        ++m_pos;
      } else if (StartsComment()) {
        comment = true;
        while (!AtEnd() && Peek() != u'\n' && Peek() != u'\r') ++m_pos;
      } else {
        break;
      }
    }
    return comment;
  }

  // At a quote: the string's value (escape pairs add nothing), the scanner after it.
  std::optional<std::u16string> ReadString() {
    const char16_t quote = Peek();
    std::u16string value;
    for (++m_pos; !AtEnd(); ++m_pos) {
      const char16_t c = Peek();
      if (c == quote) {
        ++m_pos;
        return value;
      }
      if (c == u'\\') {
        if (m_pos + 1 < m_end && (m_text[m_pos + 1] == u'\\' || m_text[m_pos + 1] == quote)) {
          ++m_pos;
          continue;
        }
        return std::nullopt;
      }
      value += c;
    }
    return std::nullopt;
  }

  std::u16string_view ReadIdentifier() {
    const std::size_t start = m_pos;
    while (!AtEnd() && IsNameChar(Peek())) ++m_pos;
    return m_text.substr(start, m_pos - start);
  }

  // Moves over one token (a string, a name, or one character).
  void SkipToken() {
    const char16_t c = Peek();
    if (c == u'\'' || c == u'"') {
      if (!ReadString()) m_pos = m_end;
    } else if (IsNameChar(c)) {
      ReadIdentifier();
    } else {
      ++m_pos;
    }
  }

  static bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f';
  }
  static bool IsNameChar(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
           c == u'_' || c == u'-';
  }

 private:
  bool StartsComment() const {
    return Peek() == u'/' && m_pos + 1 < m_end && m_text[m_pos + 1] == u'/';
  }

  std::u16string_view m_text;
  std::size_t m_pos;
  std::size_t m_end;
};

// Where the value of the property `name` starts, looking only at the declarations of the
// object level that [from, end) spans.
std::optional<std::size_t> FindProperty(std::u16string_view text, std::size_t from,
                                        std::size_t end, std::u16string_view name) {
  MarkupScanner scan(text, from, end);
  int depth = 0;
  bool expectName = true;  // at the start, or after a comma or an opening brace
  for (scan.SkipBlanks(); !scan.AtEnd(); scan.SkipBlanks()) {
    const char16_t c = scan.Peek();
    if (depth == 0 && expectName && (MarkupScanner::IsNameChar(c) || c == u'\'' || c == u'"')) {
      std::optional<std::u16string> found;
      if (c == u'\'' || c == u'"') {
        found = scan.ReadString();
      } else {
        found = std::u16string(scan.ReadIdentifier());
      }
      scan.SkipBlanks();
      if (found && *found == name && !scan.AtEnd() && scan.Peek() == u':') {
        return scan.Position() + 1;
      }
      expectName = false;
      continue;
    }
    if (c == u'{' || c == u'[') ++depth;
    if (c == u'}' || c == u']') --depth;
    expectName = depth == 0 && c == u',';
    scan.SkipToken();
  }
  return std::nullopt;
}

// From an opening brace: the position of its own closing brace and the end of the last
// character before it that is neither blank nor comment.
struct ObjectExtent {
  std::size_t close;
  std::size_t lastCodeEnd;
};

std::optional<ObjectExtent> FindObjectExtent(std::u16string_view text, std::size_t open) {
  MarkupScanner scan(text, open, text.size());
  int depth = 0;
  std::size_t lastCodeEnd = open + 1;
  for (scan.SkipBlanks(); !scan.AtEnd(); scan.SkipBlanks()) {
    const char16_t c = scan.Peek();
    if (c == u'{' || c == u'[') ++depth;
    if (c == u'}' || c == u']') {
      if (--depth == 0) return ObjectExtent{scan.Position(), lastCodeEnd};
    }
    scan.SkipToken();
    lastCodeEnd = scan.Position();
  }
  return std::nullopt;
}

// Numbers are written so that they read back as the same double.
std::u16string NumberText(double value) {
  return String::FromUtf8(ScriptNumberText(value)).ToStdWString();
}

// A range the user set: finite, not the unset 0 to 0, not the "no range" extremes.
bool IsStoredRange(const PlotRange& range) {
  return std::isfinite(range.min) && std::isfinite(range.max) &&
         range.min != std::numeric_limits<double>::max() &&
         range.max != std::numeric_limits<double>::lowest() &&
         !(range.min == 0.0 && range.max == 0.0);
}

std::u16string RangeText(const PlotRange& range, std::u16string_view axis) {
  const std::u16string a(axis);
  if (!IsStoredRange(range)) {
    return a + u"scalemin: 0.0, " + a + u"scalemax: 1.0, do_initial_autoscale_" + a + u": true, ";
  }
  return a + u"scalemin: " + NumberText(range.min) + u"," + a + u"scalemax: " +
         NumberText(range.max) + u", do_initial_autoscale_" + a + u": false, ";
}

}  // namespace

std::u16string MarkupStringLiteral(std::u16string_view text) {
  const bool doubleQuoted =
      text.find(u'\'') != std::u16string_view::npos && text.find(u'"') == std::u16string_view::npos;
  const char16_t quote = doubleQuoted ? u'"' : u'\'';
  std::u16string literal(1, quote);
  for (const char16_t c : text) {
    if (c == u'\\' || c == quote) literal += u'\\';
    literal += c;
  }
  return literal + quote;
}

void InsertRegionPosition(std::u16string& options, std::u16string_view key,
                          const PlotSettingsState& state) {
  const auto value = FindProperty(options, 0, options.size(), key);
  if (!value) return;
  MarkupScanner scan(options, *value, options.size());
  scan.SkipBlanks();
  if (scan.AtEnd() || scan.Peek() != u'{') return;
  const auto extent = FindObjectExtent(options, scan.Position());
  if (!extent) return;
  const auto idValue = FindProperty(options, scan.Position() + 1, extent->close, u"id");
  if (!idValue) return;
  MarkupScanner idScan(options, *idValue, extent->close);
  idScan.SkipBlanks();
  if (idScan.AtEnd() || (idScan.Peek() != u'\'' && idScan.Peek() != u'"')) return;
  const auto regionId = idScan.ReadString();
  if (!regionId) return;

  std::u16string addition;
  const auto position = state.regionPositions.find(*regionId);
  if (position != state.regionPositions.end() && std::isfinite(position->second.first) &&
      std::isfinite(position->second.second)) {
    addition += u", x_percent: " + NumberText(position->second.first) + u", y_percent: " +
                NumberText(position->second.second);
  }
  const auto text = state.regionTexts.find(*regionId);
  if (text != state.regionTexts.end()) addition += u", text: " + MarkupStringLiteral(text->second);
  if (addition.empty()) return;
  // After a trailing comma the declarations follow without a second one.
  if (options[extent->lastCodeEnd - 1] == u',') addition.erase(0, 1);
  options.insert(extent->lastCodeEnd, addition);
}

void WritePlotSettings(std::u16string& options, const PlotSettingsState& state) {
  if (options.empty()) return;
  // The end of the last declaration, and whether a comment follows it.
  MarkupScanner scan(options, 0, options.size());
  std::size_t codeEnd = 0;
  bool commentAfter = false;
  for (commentAfter = scan.SkipBlanks(); !scan.AtEnd(); commentAfter = scan.SkipBlanks()) {
    scan.SkipToken();
    codeEnd = scan.Position();
  }
  std::u16string text = options;
  // Appended text never falls into a trailing comment.
  if (commentAfter) text += u'\n';
  if (codeEnd > 0 && options[codeEnd - 1] != u',') text += u',';
  text += RangeText(state.y, u"y");
  text += RangeText(state.x, u"x");
  options = std::move(text);
  InsertRegionPosition(options, u"legend", state);
  InsertRegionPosition(options, u"text_region", state);
}

}  // namespace Quor
