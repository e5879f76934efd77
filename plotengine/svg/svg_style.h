// The one current style of a render of printable SVG and the readers of its values. Every
// `style` attribute changes the style for everything drawn after it in document order; nothing
// is restored when a group ends. Owned by the renderer, read when each element is drawn.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/gdiplus/types.h"

namespace Quor {

struct SvgStyle {
  Gdiplus::ARGB fill = 0xFF000000;
  Gdiplus::ARGB stroke = 0xFF000000;
  std::string fontFamily = "Arial";  // UTF-8
  float fontSize = 10.0f;             // pixels
  float strokeWidth = 1.0f;           // world units
  std::vector<float> dashPattern;     // multiples of the stroke width
};

// A pen takes at most this many dash lengths; longer patterns keep their first ones.
constexpr std::size_t kMaxDashValues = 16;

// Applies the declarations of one style attribute ("name: value; ..."), in order.
void ApplySvgStyle(SvgStyle& style, const std::string& text);
// Applies one declaration; unknown names (compared exactly) are ignored.
void SetSvgStyleProperty(SvgStyle& style, const std::string& name, const std::string& value);

// "#rrggbb" (anything before the '#' ignored, the alpha kept) or rgba(r,g,b,a); any other
// text leaves the colour unchanged.
void ParseSvgColour(const std::string& text, Gdiplus::ARGB& colour);
void ParseRgbaColour(const std::string& text, Gdiplus::ARGB& colour);
// The first installed family of a comma list, by the name the font system reports; "Arial"
// when none is installed.
std::string ResolveFontFamily(const std::string& families);
// The leading number of each comma-separated value, at most kMaxDashValues of them.
std::vector<float> ParseDashArray(const std::string& text);

// The leading number of the text ('.' as the decimal point); 0 when it does not start with one.
double ParseDouble(std::string_view text);
float ParseFloat(std::string_view text);
// The same, with `fallback` when the text does not start with a number.
float ParseFloatClassic(std::string_view text, float fallback);

// Splits an escaped list as the style's tokenizer does (escape '\', quote '"', quotes removed),
// except that a backslash that starts no escape is kept as a plain character.
std::vector<std::string> SplitEscapedList(const std::string& text, char separator);

}  // namespace Quor
