#include "plotengine/markup/compile_markup.h"

#include "plotengine/markup/markup_parser.h"
#include "plotengine/markup/markup_script_writer.h"

namespace Quor {

bool CompileEtchMarkup(const std::string& markup, std::string& script) {
  Zavi::Markup::AST ast;
  std::string message;
  int line = 0;
  if (!ParseEtchMarkup(markup, ast, message, line)) return false;
  return EtchMarkupScriptWriter().Write(ast, script);
}

}  // namespace Quor
