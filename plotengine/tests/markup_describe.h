// A compact text of a parsed markup tree for the tests' tables: «a=7», «a={b=1;c='x'}»,
// «a=gen('s' [0:1:end))», «a=[1:2:3]», «a=ticks[0|1, end]».
#pragma once

#include <string>

#include "plotengine/markup/markup_ast.h"

std::string DescribeMarkup(const Zavi::Markup::AST& ast);
