// The markup grammar in Spirit Qi, in this one translation unit: the grammar templates are
// heavy to compile, and nothing else needs them.
#include "plotengine/markup/markup_parser.h"

#include <sstream>

#include <boost/fusion/include/adapt_struct.hpp>
#include <boost/phoenix/bind.hpp>
#include <boost/phoenix/core.hpp>
#include <boost/phoenix/operator.hpp>
#include <boost/spirit/include/qi.hpp>

#include "plotengine/markup/markup_error_report.h"

BOOST_FUSION_ADAPT_STRUCT(Zavi::Markup::Declaration, name, value)
BOOST_FUSION_ADAPT_STRUCT(Zavi::Markup::FloatInterval, begin, step, end)
BOOST_FUSION_ADAPT_STRUCT(Zavi::Markup::FiniteTickPosition, record, offset)
BOOST_FUSION_ADAPT_STRUCT(Zavi::Markup::TickInterval, first, last)
BOOST_FUSION_ADAPT_STRUCT(Zavi::Markup::Interval, range, end)
BOOST_FUSION_ADAPT_STRUCT(Zavi::Markup::Generator, id, interval)
BOOST_FUSION_ADAPT_STRUCT(Zavi::Markup::TextGenerator, id, colour)

namespace Zavi::Impl {

namespace qi = boost::spirit::qi;
namespace ascii = boost::spirit::ascii;
namespace phx = boost::phoenix;
using namespace Zavi::Markup;
using Iterator = std::string::const_iterator;

// White space, and "//" comments of 7-bit characters up to the end of the line or text.
struct CommentSkipper : qi::grammar<Iterator> {
  CommentSkipper() : CommentSkipper::base_type(skip) {
    comment = qi::lit("//") >> *(ascii::char_ - ascii::char_("\r\n")) >> (qi::eol | qi::eoi);
    skip = ascii::space | comment;
  }
  qi::rule<Iterator> skip, comment;
};

template <class Attribute>
using Rule = qi::rule<Iterator, Attribute, CommentSkipper>;
// Rules read as single tokens: no skipping inside them.
template <class Attribute>
using TokenRule = qi::rule<Iterator, Attribute>;

// A string in single or double quotes. A backslash pairs only with a backslash or the quote;
// such a pair is consumed and adds nothing to the value.
struct EtchQuotedStringGrammar : qi::grammar<Iterator, std::string(), CommentSkipper> {
  EtchQuotedStringGrammar() : EtchQuotedStringGrammar::base_type(quoted, "quoted string") {
    using qi::_1;
    using qi::_val;
    const auto item = [](char quote) {
      return qi::copy(qi::lit('\\') >> qi::lit('\\') | qi::lit('\\') >> qi::lit(quote) |
                      (qi::char_ - '\\' - quote)[_val += _1]);
    };
    single = qi::lit('\'') >> *item('\'') > qi::lit('\'');
    dual = qi::lit('"') >> *item('"') > qi::lit('"');
    quoted = qi::lexeme[single | dual];
    single.name("a single quoted string");
    dual.name("a double quoted string");
    quoted.name("a string");
  }
  TokenRule<std::string()> single, dual;
  Rule<std::string()> quoted;
};

// "[", a range over numbers or over sampled data, then ")" (open) or "]" (closed).
struct EtchIntervalGrammar : qi::grammar<Iterator, Interval(), CommentSkipper> {
  EtchIntervalGrammar() : EtchIntervalGrammar::base_type(interval, "interval") {
    // Keywords and brackets that carry no value give their marker type.
    begin = qi::lit("begin") >> qi::attr(BeginType{});
    end = qi::lit("end") >> qi::attr(EndType{});
    floatOrEnd = qi::double_ | end;
    floatRange = (qi::double_ | begin) >> ':' > qi::double_ > ':' > floatOrEnd;
    recordPosition = qi::int_ >> '|' > (qi::double_ | end);
    tickPosition = end | recordPosition;
    tickRange = tickPosition > ',' > tickPosition;
    openEnd = qi::lit(')') >> qi::attr(OpenInterval{});
    closedEnd = qi::lit(']') >> qi::attr(ClosedInterval{});
    interval = qi::lit('[') >> (floatRange | tickRange) > (openEnd | closedEnd);

    end.name("the 'end' keyword");
    floatOrEnd.name("a float or the 'end' keyword");
    floatRange.name("an interval over floating-point numbers");
    recordPosition.name("a tick position within a record");
    tickPosition.name("a tick position");
    tickRange.name("an interval of sampled data");
    openEnd.name("an open interval");
    closedEnd.name("a closed interval");
    interval.name("an interval");
  }
  Rule<BeginType()> begin;
  Rule<EndType()> end;
  Rule<boost::variant<double, EndType>()> floatOrEnd;
  Rule<FloatInterval()> floatRange;
  Rule<FiniteTickPosition()> recordPosition;
  Rule<boost::variant<EndType, FiniteTickPosition>()> tickPosition;
  Rule<TickInterval()> tickRange;
  Rule<OpenInterval()> openEnd;
  Rule<ClosedInterval()> closedEnd;
  Rule<Interval()> interval;
};

// The semantic actions move each part of the tree into its place, never copy it, so a subtree
// costs the same at any depth.
template <class Part>
void Append(std::vector<Part>& list, Part& part) {
  list.push_back(std::move(part));
}
template <class Part>
void Take(Value& value, Part& part) {
  value = std::move(part);
}
void TakeDeclarations(Object& object, std::vector<Declaration>& declarations) {
  object.declarations = std::move(declarations);
}
void TakeElements(Array& array, std::vector<Value>& elements) {
  array.elements = std::move(elements);
}

// Thrown when objects and arrays nest deeper than allowed; ends the parse at `position`.
struct NestingTooDeep {
  Iterator position;
};

class MarkupGrammar : public qi::grammar<Iterator, std::vector<Declaration>(), CommentSkipper> {
 public:
  explicit MarkupGrammar(const std::string& text)
      : MarkupGrammar::base_type(markup, "markup"), m_text(text) {
    using qi::_1;
    using qi::_val;
    identifier = ascii::char_("a-zA-Z_") >> *ascii::char_("a-zA-Z0-9_-");
    declaration = (qi::lexeme[identifier] | quoted) > ':' > value;
    declarations = declaration[phx::bind(&Append<Declaration>, _val, _1)] % ',' >> -qi::lit(',');
    elements = value[phx::bind(&Append<Value>, _val, _1)] % ',' >> -qi::lit(',');
    boolean = qi::lit("true") >> qi::attr(true) | qi::lit("false") >> qi::attr(false);
    colourDigits = qi::lit('#') > ascii::xdigit > ascii::xdigit > ascii::xdigit > ascii::xdigit >
                   ascii::xdigit > ascii::xdigit > ascii::xdigit > ascii::xdigit;
    colour = qi::lexeme[colourDigits][phx::bind(&Colour::digits, _val) = _1];
    dataGenerator = quoted >> interval;
    textSource = quoted >> colour;
    null = qi::lit("null") >> qi::attr(NullType{});
    // A "{" or "[" present makes each of these succeed or stop the parse: the depth count
    // needs no undoing on a quiet failure.
    enter = qi::raw[qi::eps][phx::bind(&MarkupGrammar::EnterNesting, this, _1)];
    leave = qi::eps[phx::bind(&MarkupGrammar::LeaveNesting, this)];
    object = &qi::lit('{') >> enter >>
             ((qi::lit('{') >> declarations > '}')[phx::bind(&TakeDeclarations, _val, _1)] |
              (qi::lit('{') > '}')) >>
             leave;
    array = &qi::lit('[') >> enter >>
            ((qi::lit('[') >> elements > ']')[phx::bind(&TakeElements, _val, _1)] |
             (qi::lit('[') > ']')) >>
            leave;
    value = qi::double_[_val = _1] | boolean[_val = _1] |
            dataGenerator[phx::bind(&Take<Generator>, _val, _1)] |
            textSource[phx::bind(&Take<TextGenerator>, _val, _1)] |
            quoted[phx::bind(&Take<std::string>, _val, _1)] |
            object[phx::bind(&Take<Object>, _val, _1)] | colour[_val = _1] |
            interval[phx::bind(&Take<Interval>, _val, _1)] |
            array[phx::bind(&Take<Array>, _val, _1)] | null[_val = _1];
    markup = declarations.alias();

    identifier.name("an identifier");
    declaration.name("a declaration");
    declarations.name("a list of declarations");
    elements.name("a list of elements");
    boolean.name("a boolean");
    colour.name("a colour");
    dataGenerator.name("a data generator");
    textSource.name("a text or labels source");
    null.name("the 'null' keyword");
    object.name("an object");
    array.name("an array");
    value.name("a datatype");
    markup.name("the beginning of some markup");

    qi::on_error<qi::fail>(markup, phx::bind(&MarkupGrammar::HandleError, this, qi::_3, qi::_4));
  }

  const std::string& ErrorMessage() const { return m_errorMessage; }
  int ErrorLine() const { return m_errorLine; }

  // The report of text left over after the declarations.
  void ReportMissingComma(Iterator position) { Report(position, "Missing comma"); }
  void ReportNestingTooDeep(Iterator position) {
    Report(position, "Nesting deeper than " + std::to_string(Quor::kMaxMarkupNesting) + " levels");
  }

 private:
  void EnterNesting(const boost::iterator_range<Iterator>& at) {
    if (m_depth == Quor::kMaxMarkupNesting) throw NestingTooDeep{at.begin()};
    ++m_depth;
  }
  void LeaveNesting() { --m_depth; }

  // The expected element is named as Spirit prints it, less the first and last character:
  // "<a datatype>" gives "a datatype", "\":\"" gives ":".
  void HandleError(Iterator position, const boost::spirit::info& what) {
    std::ostringstream printed;
    printed << what;
    const std::string name = printed.str();
    Report(position, "Expected " + name.substr(1, name.size() - 2));
  }

  void Report(Iterator position, const std::string& head) {
    m_errorMessage = Quor::MakeMarkupErrorReport(
        m_text, static_cast<std::size_t>(position - m_text.begin()), head, m_errorLine);
  }

  const std::string& m_text;
  std::string m_errorMessage;
  int m_errorLine = 0;
  int m_depth = 0;

  EtchQuotedStringGrammar quoted;
  EtchIntervalGrammar interval;
  TokenRule<std::string()> identifier;
  TokenRule<std::string()> colourDigits;
  Rule<void()> enter, leave;
  Rule<Declaration()> declaration;
  Rule<std::vector<Declaration>()> declarations;
  Rule<std::vector<Value>()> elements;
  Rule<bool()> boolean;
  Rule<Colour()> colour;
  Rule<Generator()> dataGenerator;
  Rule<TextGenerator()> textSource;
  Rule<NullType()> null;
  Rule<Object()> object;
  Rule<Array()> array;
  Rule<Value()> value;
  Rule<std::vector<Declaration>()> markup;
};

}  // namespace Zavi::Impl

namespace Quor {

bool ParseEtchMarkup(const std::string& text, Zavi::Markup::AST& ast, std::string& errorMessage,
                     int& errorLine) {
  namespace qi = boost::spirit::qi;
  const Zavi::Impl::CommentSkipper skipper;
  Zavi::Impl::MarkupGrammar grammar(text);
  ast.declarations.clear();
  auto position = text.cbegin();
  bool matched = false;
  try {
    matched = qi::phrase_parse(position, text.cend(), grammar, skipper, ast.declarations);
  } catch (const Zavi::Impl::NestingTooDeep& deep) {
    grammar.ReportNestingTooDeep(deep.position);
  }
  if (matched && position != text.cend()) grammar.ReportMissingComma(position);
  errorMessage = grammar.ErrorMessage();
  errorLine = grammar.ErrorLine();
  return matched && position == text.cend();
}

}  // namespace Quor
