#include "plotengine/svg/svg_style.h"

#include <boost/algorithm/string/trim.hpp>
#include <boost/lexical_cast.hpp>
#include <boost/tokenizer.hpp>

#include <cctype>
#include <charconv>
#include <cstdint>

#include "core/utf_codec.h"
#include "platform/gdiplus/font.h"
#include "plotengine/svg/svg_patterns.h"

namespace Quor {

namespace {

// A backslash that starts none of the escapes the tokenizer knows is doubled, so that the
// tokenizer reads it as the plain character it was meant as instead of failing the render.
std::string EscapeStrayBackslashes(const std::string& text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    escaped += text[i];
    if (text[i] != '\\') continue;
    const char next = i + 1 < text.size() ? text[i + 1] : '\0';
    if (next == '\\' || next == '"' || next == 'n') {
      escaped += next;
      ++i;
    } else {
      escaped += '\\';
    }
  }
  return escaped;
}

template <typename Number>
bool ReadLeadingNumber(std::string_view text, Number& value) {
  std::size_t at = 0;
  while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
  // Only digits or a point start a number: no "inf", "nan" or second sign.
  if (at >= text.size() || !(std::isdigit(static_cast<unsigned char>(text[at])) || text[at] == '.')) return false;
  Number read{};
  const auto [end, error] = std::from_chars(text.data() + at, text.data() + text.size(), read);
  if (error != std::errc()) return false;
  value = negative ? -read : read;
  return true;
}

Gdiplus::ARGB WithAlpha(Gdiplus::ARGB colour, double opacity) {
  const std::uint32_t alpha = opacity > 1.0 ? 255 : opacity < 0.0 ? 0 : std::uint32_t(opacity * 255);
  return alpha << 24 | (colour & 0x00FFFFFF);
}

std::string Trimmed(const std::string& text) { return boost::algorithm::trim_copy_if(text, boost::algorithm::is_space()); }

}  // namespace

std::vector<std::string> SplitEscapedList(const std::string& text, char separator) {
  const std::string escaped = EscapeStrayBackslashes(text);
  boost::escaped_list_separator<char> rules('\\', separator, '"');
  boost::tokenizer<boost::escaped_list_separator<char>> tokens(escaped, rules);
  return {tokens.begin(), tokens.end()};
}

double ParseDouble(std::string_view text) {
  double value = 0;
  return ReadLeadingNumber(text, value) ? value : 0.0;
}

float ParseFloat(std::string_view text) {
  float value = 0;
  return ReadLeadingNumber(text, value) ? value : 0.0f;
}

float ParseFloatClassic(std::string_view text, float fallback) {
  float value = 0;
  return ReadLeadingNumber(text, value) ? value : fallback;
}

void ParseRgbaColour(const std::string& text, Gdiplus::ARGB& colour) {
  const std::optional<RgbaText> match = MatchRgba(text);
  if (!match) return;
  const std::string* components[3] = {&match->red, &match->green, &match->blue};
  std::uint32_t channels[3];
  for (int i = 0; i < 3; ++i) {
    std::int32_t value = 0;
    const std::string& digits = *components[i];
    // A component too large for 32 bits is no colour: the colour stays as it was.
    if (std::from_chars(digits.data(), digits.data() + digits.size(), value).ec != std::errc()) return;
    channels[i] = std::uint32_t(value) & 0xFF;
  }
  float alpha = 0;
  try {
    alpha = boost::lexical_cast<float>(match->alpha);
  } catch (const boost::bad_lexical_cast&) {
    alpha = ParseFloatClassic(match->alpha, 0.0f);
  }
  colour = WithAlpha(channels[0] << 16 | channels[1] << 8 | channels[2], alpha);
}

void ParseSvgColour(const std::string& text, Gdiplus::ARGB& colour) {
  const std::size_t hash = text.find('#');
  if (hash == std::string::npos || text.size() - hash - 1 < 6) return ParseRgbaColour(text, colour);
  std::uint32_t channels[3];
  for (int i = 0; i < 3; ++i) {
    const char* piece = text.data() + hash + 1 + 2 * i;
    unsigned value = 0;
    std::from_chars(piece, piece + 2, value, 16);  // a piece that is no hexadecimal reads as 0
    channels[i] = value;
  }
  colour = (colour & 0xFF000000) | channels[0] << 16 | channels[1] << 8 | channels[2];
}

std::string ResolveFontFamily(const std::string& families) {
  for (const std::string& name : SplitEscapedList(families, ',')) {
    const std::u16string wide = Utf8ToStdWString(Trimmed(name));
    const Gdiplus::FontFamily family(wide.c_str());
    if (family.GetLastStatus() != Gdiplus::Ok) continue;
    WCHAR reported[Gdiplus::LF_FACESIZE_GDIPLUS];
    family.GetFamilyName(reported, Gdiplus::LANG_NEUTRAL_ID);
    return Utf16ToUtf8(reported, std::char_traits<char16_t>::length(reported));
  }
  return "Arial";
}

std::vector<float> ParseDashArray(const std::string& text) {
  std::vector<float> dashes;
  for (const std::string& token : SplitEscapedList(text, ',')) {
    if (dashes.size() == kMaxDashValues) break;
    dashes.push_back(ParseFloat(Trimmed(token)));
  }
  return dashes;
}

void SetSvgStyleProperty(SvgStyle& style, const std::string& name, const std::string& value) {
  if (name == "fill") {
    if (value == "none") style.fill = 0x00000000;
    else ParseSvgColour(value, style.fill);
  } else if (name == "fill-opacity") {
    style.fill = WithAlpha(style.fill, ParseDouble(value));
  } else if (name == "stroke-opacity") {
    style.stroke = WithAlpha(style.stroke, ParseDouble(value));
  } else if (name == "stroke") {
    ParseSvgColour(value, style.stroke);
  } else if (name == "stroke-width") {
    style.strokeWidth = ParseFloat(value);
  } else if (name == "font-size") {
    style.fontSize = ParseFloat(value);
  } else if (name == "font-family") {
    style.fontFamily = ResolveFontFamily(value);
  } else if (name == "stroke-dasharray") {
    style.dashPattern = ParseDashArray(value);
  }
}

void ApplySvgStyle(SvgStyle& style, const std::string& text) {
  for (const std::string& token : SplitEscapedList(text, ';')) {
    const std::size_t colon = token.find(':');
    if (colon == std::string::npos || colon + 1 == token.size()) continue;
    SetSvgStyleProperty(style, Trimmed(token.substr(0, colon)), Trimmed(token.substr(colon + 1)));
  }
}

}  // namespace Quor
