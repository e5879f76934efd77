// The parsed plot markup: a list of declarations whose values are numbers, booleans, strings,
// colours, intervals, data and label sources, objects, arrays or null. The tree owns all its
// parts by value and refers to nothing in the text; one parse makes it, and its caller keeps it
// as long as it likes.
#pragma once

#include <string>
#include <vector>

#include <boost/variant/recursive_wrapper.hpp>
#include <boost/variant/variant.hpp>

namespace Zavi::Markup {

// Marker types of words and brackets that carry no value.
struct BeginType {};  // "begin": the start of the current scale
struct EndType {};    // "end": an open end
struct NullType {};   // "null"
struct OpenInterval {};    // an interval closed by ")"
struct ClosedInterval {};  // an interval closed by "]"

// The eight hexadecimal digits after "#", as written: red, green, blue, alpha.
struct Colour {
  std::string digits;
};

// A range over numbers: begin, step, end.
struct FloatInterval {
  boost::variant<double, BeginType> begin;
  double step = 0;
  boost::variant<double, EndType> end;
};

// A position in sampled data: a record and an offset in it, or the record's end.
struct FiniteTickPosition {
  int record = 0;
  boost::variant<double, EndType> offset;
};

// A range over sampled data, from one position to another.
struct TickInterval {
  boost::variant<EndType, FiniteTickPosition> first;
  boost::variant<EndType, FiniteTickPosition> last;
};

struct Interval {
  boost::variant<FloatInterval, TickInterval> range;
  boost::variant<OpenInterval, ClosedInterval> end;
};

// A named series of values over an interval: 'series' [0:1:end).
struct Generator {
  std::string id;
  Interval interval;
};

// A named source of texts drawn in a colour: 'labels' #000000ff.
struct TextGenerator {
  std::string id;
  Colour colour;
};

struct Object;
struct Array;

// Objects and arrays nest, so they are held through an indirection; so are the larger kinds,
// which keeps a value small: long arrays of numbers are common.
using Value = boost::variant<double, bool, boost::recursive_wrapper<TextGenerator>,
                             boost::recursive_wrapper<Generator>, std::string,
                             boost::recursive_wrapper<Object>, Colour,
                             boost::recursive_wrapper<Interval>, boost::recursive_wrapper<Array>,
                             NullType>;

struct Declaration {
  std::string name;
  Value value;
};

struct Object {
  std::vector<Declaration> declarations;
};

struct Array {
  std::vector<Value> elements;
};

// The whole markup, declarations in text order (duplicate names included).
struct AST {
  std::vector<Declaration> declarations;
};

}  // namespace Zavi::Markup
