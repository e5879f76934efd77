// GCC 12's std::regex warns, when optimised, of std::function members inside its own automaton
// that may be uninitialised; the warning concerns the library, not this code.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"

#include "plotengine/svg/svg_patterns.h"

#include <regex>

namespace Quor {

namespace {

std::optional<std::smatch> WholeMatch(const std::string& text, const std::regex& pattern) {
  std::smatch match;
  if (!std::regex_match(text, match, pattern)) return std::nullopt;
  return match;
}

}  // namespace

std::optional<RgbaText> MatchRgba(const std::string& text) {
  static const std::regex rgba(R"(rgba\(([0-9]+),([0-9]+),([0-9]+),([0-9\.]+)\))");
  const auto match = WholeMatch(text, rgba);
  if (!match) return std::nullopt;
  return RgbaText{(*match)[1].str(), (*match)[2].str(), (*match)[3].str(), (*match)[4].str()};
}

std::string UrlReferenceId(const std::string& value) {
  static const std::regex url(R"(url\(#(.*)\))");
  const auto match = WholeMatch(value, url);
  return match ? (*match)[1].str() : value;
}

std::string LocalHrefId(const std::string& value) {
  static const std::regex local("^#(.*)");
  const auto match = WholeMatch(value, local);
  return match ? (*match)[1].str() : value;
}

std::optional<std::pair<std::string, std::string>> MatchTranslation(const std::string& value) {
  static const std::regex translate(R"(translate\(([0-9\.]+)\s+([0-9\.]+)\))");
  const auto match = WholeMatch(value, translate);
  if (!match) return std::nullopt;
  return std::make_pair((*match)[1].str(), (*match)[2].str());
}

std::optional<std::string> MatchRotation(const std::string& value) {
  static const std::regex rotate(
      R"(rotate\(([+-]?[0-9]*\.?[0-9]*)\s+[+-]?[0-9]*\.?[0-9]*\s+[+-]?[0-9]*\.?[0-9]*\))");
  const auto match = WholeMatch(value, rotate);
  if (!match) return std::nullopt;
  return (*match)[1].str();
}

}  // namespace Quor
