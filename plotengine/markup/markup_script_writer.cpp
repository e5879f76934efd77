#include "plotengine/markup/markup_script_writer.h"

#include <boost/variant/apply_visitor.hpp>
#include <boost/variant/get.hpp>

#include "plotengine/markup/js_string_literal.h"
#include "plotengine/markup/script_number.h"

namespace Quor {
namespace {

using namespace Zavi::Markup;

// The float-or-keyword parts of a range: the number, or null for "begin" and "end".
struct RangeEndText {
  std::string& script;
  void operator()(double number) const { AppendScriptNumber(script, number); }
  void operator()(BeginType) const { script += "null"; }
  void operator()(EndType) const { script += "null"; }
};

int HexPair(const std::string& digits, std::size_t at) {
  return std::stoi(digits.substr(at, 2), nullptr, 16);
}

}  // namespace

bool EtchMarkupScriptWriter::Write(const AST& ast, std::string& script) {
  m_script = "[\n";
  m_unwritable = false;
  for (std::size_t i = 0; i < ast.declarations.size(); ++i) {
    if (i) m_script += ",\n";
    m_script += "{\nproperty_name: ";
    AppendJsStringLiteral(m_script, ast.declarations[i].name);
    m_script += ",\nmarkup:\n";
    WriteValue(ast.declarations[i].value);
    m_script += "\n}";
  }
  m_script += "\n]";
  if (m_unwritable) return false;
  script = std::move(m_script);
  return true;
}

void EtchMarkupScriptWriter::WriteValue(const Value& value) { boost::apply_visitor(*this, value); }

void EtchMarkupScriptWriter::operator()(double number) { AppendScriptNumber(m_script, number); }

void EtchMarkupScriptWriter::operator()(bool boolean) { m_script += boolean ? "true" : "false"; }

void EtchMarkupScriptWriter::operator()(const TextGenerator& source) {
  WriteProvider("['text_generator', ", source.id, source.colour);
}

void EtchMarkupScriptWriter::operator()(const Generator& generator) {
  WriteProvider("['generator', ", generator.id, generator.interval);
}

template <class Domain>
void EtchMarkupScriptWriter::WriteProvider(const char* head, const std::string& id,
                                           const Domain& domain) {
  m_script += head;
  AppendJsStringLiteral(m_script, id);
  m_script += ", ";
  (*this)(domain);
  m_script += "]";
}

void EtchMarkupScriptWriter::operator()(const std::string& text) {
  AppendJsStringLiteral(m_script, text);
}

void EtchMarkupScriptWriter::operator()(const Object& object) {
  m_script += "{\n";
  for (std::size_t i = 0; i < object.declarations.size(); ++i) {
    if (i) m_script += ",\n";
    AppendJsStringLiteral(m_script, object.declarations[i].name);
    m_script += ": ";
    WriteValue(object.declarations[i].value);
  }
  m_script += "\n}";
}

void EtchMarkupScriptWriter::operator()(const Colour& colour) {
  m_script += "new etch.Colour(";
  for (std::size_t at = 0; at < 8; at += 2) {
    if (at) m_script += ", ";
    m_script += std::to_string(HexPair(colour.digits, at));
  }
  m_script += ")";
}

void EtchMarkupScriptWriter::operator()(const Interval& interval) {
  const auto* range = boost::get<FloatInterval>(&interval.range);
  if (!range) {
    // Record positions have no script form: the scripts' intervals run over numbers only.
    m_unwritable = true;
    return;
  }
  m_script += "['interval', ";
  boost::apply_visitor(RangeEndText{m_script}, range->begin);
  m_script += ", ";
  AppendScriptNumber(m_script, range->step);
  m_script += ", ";
  boost::apply_visitor(RangeEndText{m_script}, range->end);
  m_script += boost::get<OpenInterval>(&interval.end) ? ", etch.kOpenInterval]"
                                                       : ", etch.kClosedInterval]";
}

void EtchMarkupScriptWriter::operator()(const Array& array) {
  m_script += "[";
  for (std::size_t i = 0; i < array.elements.size(); ++i) {
    if (i) m_script += ", ";
    WriteValue(array.elements[i]);
  }
  m_script += "]";
}

void EtchMarkupScriptWriter::operator()(NullType) { m_script += "null"; }

}  // namespace Quor
