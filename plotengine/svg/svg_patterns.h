// The patterns the dialect's attribute values are matched against: rgba colours, url(#id)
// references, local hrefs, translations and rotations. Each matches the whole value.
#pragma once

#include <optional>
#include <string>

namespace Quor {

struct RgbaText {
  std::string red, green, blue, alpha;  // digits, digits, digits, digits and points
};
std::optional<RgbaText> MatchRgba(const std::string& text);
// The id of "url(#id)"; any other value is returned as it is.
std::string UrlReferenceId(const std::string& value);
// The id of "#id"; any other value is returned as it is.
std::string LocalHrefId(const std::string& value);
// The two offsets of "translate(x y)", non-negative and separated by white space only.
std::optional<std::pair<std::string, std::string>> MatchTranslation(const std::string& value);
// The angle of "rotate(a cx cy)".
std::optional<std::string> MatchRotation(const std::string& value);

}  // namespace Quor
