#include "markup_describe.h"

#include <charconv>

#include <boost/variant/apply_visitor.hpp>
#include <boost/variant/get.hpp>

namespace {

using namespace Zavi::Markup;

std::string Number(double value) {
  char text[40];
  return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

std::string Declarations(const std::vector<Declaration>& declarations, const char* separator);

struct Describe {
  using result_type = std::string;
  std::string operator()(double value) const { return Number(value); }
  std::string operator()(bool value) const { return value ? "true" : "false"; }
  std::string operator()(const std::string& text) const { return "'" + text + "'"; }
  std::string operator()(const Colour& colour) const { return "#" + colour.digits; }
  std::string operator()(NullType) const { return "null"; }
  std::string operator()(BeginType) const { return "begin"; }
  std::string operator()(EndType) const { return "end"; }
  std::string operator()(OpenInterval) const { return ")"; }
  std::string operator()(ClosedInterval) const { return "]"; }
  std::string operator()(const FloatInterval& range) const {
    return boost::apply_visitor(*this, range.begin) + ":" + Number(range.step) + ":" +
           boost::apply_visitor(*this, range.end);
  }
  std::string operator()(const FiniteTickPosition& position) const {
    return std::to_string(position.record) + "|" + boost::apply_visitor(*this, position.offset);
  }
  std::string operator()(const TickInterval& range) const {
    return boost::apply_visitor(*this, range.first) + ", " +
           boost::apply_visitor(*this, range.last);
  }
  std::string operator()(const Interval& interval) const {
    const bool ticks = boost::get<TickInterval>(&interval.range);
    return (ticks ? "ticks[" : "[") + boost::apply_visitor(*this, interval.range) +
           boost::apply_visitor(*this, interval.end);
  }
  std::string operator()(const Generator& generator) const {
    return "gen('" + generator.id + "' " + (*this)(generator.interval) + ")";
  }
  std::string operator()(const TextGenerator& source) const {
    return "text('" + source.id + "' " + (*this)(source.colour) + ")";
  }
  std::string operator()(const Object& object) const {
    std::string text = "{";
    text += Declarations(object.declarations, ";");
    return text += "}";
  }
  std::string operator()(const Array& array) const {
    std::string text = "[";
    for (std::size_t i = 0; i < array.elements.size(); ++i) {
      if (i) text += ",";
      text += boost::apply_visitor(*this, array.elements[i]);
    }
    return text + "]";
  }
};

std::string Declarations(const std::vector<Declaration>& declarations, const char* separator) {
  std::string text;
  for (std::size_t i = 0; i < declarations.size(); ++i) {
    if (i) text += separator;
    text += declarations[i].name + "=" + boost::apply_visitor(Describe{}, declarations[i].value);
  }
  return text;
}

}  // namespace

std::string DescribeMarkup(const AST& ast) { return Declarations(ast.declarations, " "); }
