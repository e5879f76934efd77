// EtchMarkupScriptWriter: writes a parsed plot markup tree as the script source that the plot's
// setup call reads: an array with one {property_name, markup} object per declaration. Names,
// ids and strings become escaped string literals and numbers their shortest exact text, so any
// tree the parser accepts is valid script. One writer serves one tree.
#pragma once

#include <string>

#include "plotengine/markup/markup_ast.h"

namespace Quor {

class EtchMarkupScriptWriter {
 public:
  using result_type = void;

  // False when the tree holds a range of record positions, which has no script form; `script`
  // is then left unchanged.
  bool Write(const Zavi::Markup::AST& ast, std::string& script);

  // One per value kind, appending to the text being written.
  void operator()(double number);
  void operator()(bool boolean);
  void operator()(const Zavi::Markup::TextGenerator& source);
  void operator()(const Zavi::Markup::Generator& generator);
  void operator()(const std::string& text);
  void operator()(const Zavi::Markup::Object& object);
  void operator()(const Zavi::Markup::Colour& colour);
  void operator()(const Zavi::Markup::Interval& interval);
  void operator()(const Zavi::Markup::Array& array);
  void operator()(Zavi::Markup::NullType);

 private:
  void WriteValue(const Zavi::Markup::Value& value);
  // A data or text provider: ['generator', id, interval] or ['text_generator', id, colour].
  template <class Domain>
  void WriteProvider(const char* head, const std::string& id, const Domain& domain);

  std::string m_script;
  bool m_unwritable = false;
};

}  // namespace Quor
