// The plot markup parser: reads the markup that the views write (a comma-separated list of
// name: value declarations) into its tree, or reports where it went wrong. Each call builds its
// own grammar and keeps nothing, so calls may run on several threads at once.
#pragma once

#include <string>

#include "plotengine/markup/markup_ast.h"

namespace Quor {

// Objects and arrays nest at most this deep; a deeper text fails like any parse error.
inline constexpr int kMaxMarkupNesting = 256;

// True with `ast` filled when the whole text is markup. False otherwise; `errorMessage` then
// holds the report (empty when the text failed before any expected element, as an empty text
// does) and `errorLine` its line.
bool ParseEtchMarkup(const std::string& text, Zavi::Markup::AST& ast, std::string& errorMessage,
                     int& errorLine);

}  // namespace Quor
