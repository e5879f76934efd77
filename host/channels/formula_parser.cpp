#include "host/channels/formula_parser.h"

#include <cctype>
#include <charconv>
#include <limits>
#include <optional>
#include <string>

#include "host/channels/channel_error.h"
#include "host/channels/name_compare.h"

namespace PendrelHost {

namespace {

bool IsNameStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsNamePart(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }
bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

// Formulas deeper or larger than this are refused rather than risk the stack of the stages
// that walk them.
constexpr int kMaxDepth = 256;
constexpr int kMaxTerms = 1000;

// "Ch12" or "rch3": the channel number as written, or nothing when the name is not such a
// reference.
std::optional<std::size_t> ChannelNumber(std::string_view name, bool& raw) {
  raw = name.size() > 1 && (name[0] == 'r' || name[0] == 'R');
  const std::string_view rest = name.substr(raw ? 1 : 0);
  if (rest.size() < 3 || !SameName(rest.substr(0, 2), "ch")) return std::nullopt;
  const std::string_view digits = rest.substr(2);
  for (char c : digits) {
    if (!IsDigit(c)) return std::nullopt;
  }
  std::size_t number = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::numeric_limits<std::size_t>::max();
  return number;
}

class Parser {
 public:
  explicit Parser(std::string_view text) : m_text(text) {}

  Formula Parse() {
    SkipSpace();
    if (AtEnd()) throw ChannelError("the formula is empty");
    Formula formula = Sum();
    SkipSpace();
    if (!AtEnd()) Fail(std::string("unexpected '") + m_text[m_at] + "'");
    return formula;
  }

 private:
  [[noreturn]] void Fail(const std::string& what) const {
    throw ChannelError("at character " + std::to_string(m_at + 1) + ": " + what);
  }

  void CountTerm() {
    if (++m_terms > kMaxTerms) Fail("the formula has more than " + std::to_string(kMaxTerms) + " terms");
  }

  bool AtEnd() const { return m_at >= m_text.size(); }
  char Peek() const { return AtEnd() ? '\0' : m_text[m_at]; }
  void SkipSpace() {
    while (!AtEnd() && std::isspace(static_cast<unsigned char>(m_text[m_at]))) ++m_at;
  }
  bool Take(char c) {
    SkipSpace();
    if (Peek() != c) return false;
    ++m_at;
    return true;
  }

  Formula Operation(char operation, Formula left, Formula right) {
    CountTerm();
    Formula node;
    node.kind = Formula::Kind::Operation;
    node.position = left.position;
    node.operation = operation;
    node.operands.push_back(std::move(left));
    node.operands.push_back(std::move(right));
    return node;
  }

  // Counts the nesting of the rule it guards.
  struct Depth {
    explicit Depth(Parser& parser) : m_parser(parser) {
      if (++m_parser.m_depth > kMaxDepth) m_parser.Fail("the formula nests too deeply");
    }
    ~Depth() { --m_parser.m_depth; }
    Parser& m_parser;
  };

  Formula Sum() {
    const Depth depth(*this);
    return LeftToRight("+-", &Parser::Product);
  }

  Formula Product() { return LeftToRight("*/", &Parser::Unary); }

  // operand (op operand)*, grouped from the left: 1 - 2 - 3 is (1 - 2) - 3.
  Formula LeftToRight(std::string_view operations, Formula (Parser::*operand)()) {
    Formula left = (this->*operand)();
    while (true) {
      SkipSpace();
      const char c = Peek();
      if (AtEnd() || operations.find(c) == std::string_view::npos) return left;
      ++m_at;
      left = Operation(c, std::move(left), (this->*operand)());
    }
  }

  Formula Unary() {
    const Depth depth(*this);
    SkipSpace();
    const std::size_t start = m_at;
    if (Take('+')) return Unary();
    if (!Take('-')) return Primary();
    Formula node;
    node.kind = Formula::Kind::Negate;
    node.position = start;
    node.operands.push_back(Unary());
    return node;
  }

  Formula Primary() {
    CountTerm();
    SkipSpace();
    const char c = Peek();
    if (AtEnd()) Fail("the formula ends where a value is expected");
    if (IsDigit(c) || c == '.') return Number();
    if (IsNameStart(c)) return NameOrCall();
    if (Take('(')) {
      Formula inner = Sum();
      if (!Take(')')) Fail("expected ')'");
      return inner;
    }
    Fail(std::string("unexpected '") + c + "' where a value is expected");
  }

  Formula Number() {
    const std::size_t start = m_at;
    while (IsDigit(Peek())) ++m_at;
    if (Peek() == '.') ++m_at;
    while (IsDigit(Peek())) ++m_at;
    // An exponent only when digits follow it: "2e" is a number followed by a name.
    if (Peek() == 'e' || Peek() == 'E') {
      std::size_t after = m_at + 1;
      if (after < m_text.size() && (m_text[after] == '+' || m_text[after] == '-')) ++after;
      if (after < m_text.size() && IsDigit(m_text[after])) {
        m_at = after;
        while (IsDigit(Peek())) ++m_at;
      }
    }
    Formula node;
    node.kind = Formula::Kind::Number;
    node.position = start;
    const std::string_view digits = m_text.substr(start, m_at - start);
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), node.number);
    if (error != std::errc() || end != digits.data() + digits.size()) {
      m_at = start;
      Fail("'" + std::string(digits) + "' is not a number");
    }
    return node;
  }

  Formula NameOrCall() {
    const std::size_t start = m_at;
    while (IsNamePart(Peek())) ++m_at;
    Formula node;
    node.position = start;
    node.name = std::string(m_text.substr(start, m_at - start));
    SkipSpace();
    if (Peek() == '(') {
      node.kind = Formula::Kind::Call;
      ++m_at;
      Arguments(node);
      return node;
    }
    const std::optional<std::size_t> channel = ChannelNumber(node.name, node.raw);
    if (!channel) {
      node.kind = Formula::Kind::Name;
      return node;
    }
    if (*channel == 0) {
      m_at = start;
      Fail("channels are numbered from 1, as in Ch1");
    }
    node.kind = Formula::Kind::ChannelNumber;
    node.channel = *channel;
    return node;
  }

  void Arguments(Formula& call) {
    if (Take(')')) return;
    while (true) {
      call.operands.push_back(Sum());
      if (Take(')')) return;
      if (!Take(',')) Fail("expected ',' or ')' in the arguments of " + call.name);
    }
  }

  std::string_view m_text;
  std::size_t m_at = 0;
  int m_depth = 0;
  int m_terms = 0;
};

}  // namespace

Formula ParseFormula(std::string_view text) { return Parser(text).Parse(); }

}  // namespace PendrelHost
