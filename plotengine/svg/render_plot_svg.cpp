#include "plotengine/svg/render_plot_svg.h"

#include <boost/property_tree/xml_parser.hpp>

#include <algorithm>
#include <locale>
#include <sstream>

#include "plotengine/svg/bad_svg_exception.h"
#include "plotengine/svg/svg_element_visitor.h"

namespace Quor {

namespace {

// How deeply the elements of the text nest, found without parsing it: the XML reader parses
// nested elements recursively, and text nested deeper than any plot draws must be refused
// before it can exhaust the stack. Comments, declarations and quoted attribute values are
// stepped over.
std::size_t ElementNesting(const std::string& text) {
  std::size_t depth = 0, deepest = 0;
  for (std::size_t at = text.find('<'); at != std::string::npos; at = text.find('<', at)) {
    if (text.compare(at, 4, "<!--") == 0) {
      at = text.find("-->", at);
      if (at == std::string::npos) break;
      continue;
    }
    const char kind = at + 1 < text.size() ? text[at + 1] : '\0';
    char quote = 0;
    std::size_t end = at + 1;
    for (; end < text.size(); ++end) {
      if (quote) {
        if (text[end] == quote) quote = 0;
      } else if (text[end] == '"' || text[end] == '\'') {
        quote = text[end];
      } else if (text[end] == '>') {
        break;
      }
    }
    if (end >= text.size()) break;
    if (kind == '/') {
      if (depth > 0) --depth;
    } else if (kind != '!' && kind != '?' && text[end - 1] != '/') {
      deepest = std::max(deepest, ++depth);
    }
    at = end;
  }
  return deepest;
}

}  // namespace

std::unique_ptr<SvgGdiplusRenderer> RenderPlotSvg(const std::string& svg, const std::string& applicationName,
                                                  const std::u16string& fileName) {
  if (ElementNesting(svg) > kMaxNesting) throw bad_svg_exception();
  std::istringstream stream(svg);
  stream.imbue(std::locale::classic());
  boost::property_tree::ptree tree;
  boost::property_tree::read_xml(stream, tree, 0);
  const boost::property_tree::ptree& root = tree.get_child("svg");
  // A size with a unit suffix is not a plain number and reads as 0, which no canvas takes.
  const float width = root.get_optional<float>("<xmlattr>.width").value_or(0.0f);
  const float height = root.get_optional<float>("<xmlattr>.height").value_or(0.0f);
  auto renderer = std::make_unique<SvgGdiplusRenderer>(applicationName, "Plot", width, height, fileName);
  {
    SvgElementVisitor visitor(*renderer);
    visitor.VisitChildren(root);
  }
  renderer->Finish();
  return renderer;
}

}  // namespace Quor
