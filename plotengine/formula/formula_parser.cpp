// The formula grammar in Spirit Qi, in this one translation unit: the grammar templates are
// heavy to compile, and nothing else needs them.
#include "plotengine/formula/formula_parser.h"

#include <cstdio>
#include <sstream>

#include <boost/phoenix/bind/bind_member_function.hpp>
#include <boost/phoenix/core.hpp>
#include <boost/spirit/include/qi.hpp>

namespace Quor {
namespace {

namespace qi = boost::spirit::qi;
namespace ascii = boost::spirit::ascii;
namespace phx = boost::phoenix;
using Iterator = std::string::const_iterator;
using Skipper = ascii::space_type;

// The constants' values: eight decimals, as the plots have always drawn them.
constexpr double kPi = 3.14159265;
constexpr double kE = 2.71828183;

// Thrown when the formula nests deeper than allowed; ends the parse at `position`.
struct NestingTooDeep {
  Iterator position;
};

// expression: terms joined by + and -; term: powers joined by *, / and %; power: factors
// joined by ^; all left to right. Each operator's code follows its operands'.
class EtchFormulaGrammar : public qi::grammar<Iterator, Skipper> {
 public:
  explicit EtchFormulaGrammar(EtchFormulaCode& code)
      : EtchFormulaGrammar::base_type(expression), m_code(code) {
    using qi::_1;
    using qi::lit;
    const auto emit = [this](int op) { return phx::bind(&EtchFormulaGrammar::EmitOp, this, op); };
    const auto literal = [this](double value) {
      return phx::bind(&EtchFormulaGrammar::EmitLiteral, this, value);
    };
    const auto call = [&](const char* name, int op) {
      return qi::copy(lit(name) > expression > lit(')')[emit(op)]);
    };
    expression = term >> *((lit('+') > term[emit(kFormulaAdd)]) |
                           (lit('-') > term[emit(kFormulaSubtract)]));
    term = power >> *((lit('*') > power[emit(kFormulaMultiply)]) |
                      (lit('/') > power[emit(kFormulaDivide)]) |
                      (lit('%') > power[emit(kFormulaRemainder)]));
    power = factor >> *(lit('^') > factor[emit(kFormulaPower)]);
    enter = qi::raw[qi::eps][phx::bind(&EtchFormulaGrammar::EnterNesting, this, _1)];
    leave = qi::eps[phx::bind(&EtchFormulaGrammar::LeaveNesting, this)];
    // Past its first token every alternative succeeds or stops the parse, so a quiet failure
    // of a factor ends the parse too and the depth count needs no undoing.
    factor = enter >>
             (qi::double_[phx::bind(&EtchFormulaGrammar::EmitLiteral, this, _1)] |
              lit("pi")[literal(kPi)] | lit('e')[literal(kE)] |
              (lit('(') > expression > lit(')')) | call("ln(", kFormulaLn) |
              call("log(", kFormulaLog10) | call("sqrt(", kFormulaSqrt) |
              call("floor(", kFormulaFloor) | call("ceil(", kFormulaCeil) |
              call("round(", kFormulaRound) | call("tan(", kFormulaTan) |
              call("cos(", kFormulaCos) | call("sin(", kFormulaSin) |
              lit('t')[emit(kFormulaPushT)] | (lit('-') > factor[emit(kFormulaNegate)]) |
              (lit('+') > factor)) >>
             leave;
    expression.name("expression");
    term.name("term");
    factor.name("factor");
  }

 private:
  void EmitOp(int op) { m_code.push_back(EtchFormulaInstruction::Op(op)); }
  void EmitLiteral(double value) {
    m_code.push_back(EtchFormulaInstruction::Op(kFormulaPushLiteral));
    m_code.push_back(EtchFormulaInstruction::Literal(value));
  }
  void EnterNesting(const boost::iterator_range<Iterator>& at) {
    if (m_depth == kMaxFormulaNesting) throw NestingTooDeep{at.begin()};
    ++m_depth;
  }
  void LeaveNesting() { --m_depth; }

  EtchFormulaCode& m_code;
  int m_depth = 0;
  qi::rule<Iterator, Skipper> expression, term, power, factor, enter, leave;
};

// One line on the debug output, never on standard output.
void DebugLine(const std::string& what, Iterator at, Iterator end) {
  const std::string line = what + " here: \"" + std::string(at, end) + "\"\n";
  std::fputs(line.c_str(), stderr);
}

}  // namespace

bool CompileEtchFormula(const std::string& formula, EtchFormulaCode& code) {
  code.clear();
  EtchFormulaGrammar grammar(code);
  auto position = formula.cbegin();
  try {
    if (!qi::phrase_parse(position, formula.cend(), grammar, ascii::space)) return false;
  } catch (const qi::expectation_failure<Iterator>& failure) {
    std::ostringstream expected;
    expected << failure.what_;
    DebugLine("Expecting " + expected.str(), failure.first, failure.last);
    return false;
  } catch (const NestingTooDeep& deep) {
    DebugLine("Nesting deeper than " + std::to_string(kMaxFormulaNesting) + " levels",
              deep.position, formula.cend());
    return false;
  }
  if (position != formula.cend()) return false;
  const std::size_t need = FormulaStackNeed(code);
  if (need == 0 || need > kFormulaStackSize) {
    DebugLine("Needs more than " + std::to_string(kFormulaStackSize) + " stack values",
              formula.cbegin(), formula.cend());
    return false;
  }
  return true;
}

}  // namespace Quor
