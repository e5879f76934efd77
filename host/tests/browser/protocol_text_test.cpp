// What crosses the debugging pipe without a browser: protocol text the JSON reader would refuse,
// and script values in their JSON form.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "host/browser/base64.h"
#include "host/browser/devtools_text.h"
#include "host/browser/script_value.h"
#include "host/browser/script_value_json.h"

namespace PendrelBrowser {
namespace {

using nlohmann::json;

TEST(ProtocolText, PiecesAJsonReaderRefusesBecomeReplacementCharacters) {
  const struct {
    std::string given;
    std::string expected;
  } cases[] = {
      {R"({"s":"plain"})", R"({"s":"plain"})"},
      {R"({"s":"\ud83d\udc93"})", R"({"s":"\ud83d\udc93"})"},  // a pair stays
      {R"({"s":"\ud800"})", R"({"s":"\uFFFD"})"},              // a lone high half
      {R"({"s":"a\udc00b"})", R"({"s":"a\uFFFDb"})"},          // a lone low half
      {R"({"s":"\ud800\ud800"})", R"({"s":"\uFFFD\uFFFD"})"},
      {R"({"s":"\\ud800"})", R"({"s":"\\ud800"})"},  // an escaped backslash, then text
      {"{\"s\":\"\xC3\xA4\"}", "{\"s\":\"\xC3\xA4\"}"},
      {"{\"s\":\"\xFF\"}", "{\"s\":\"\xEF\xBF\xBD\"}"},          // not UTF-8
      {"{\"s\":\"\xED\xA0\x80\"}", "{\"s\":\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\"}"},  // an encoded surrogate
      {"{\"s\":\"\xE2\x82\"}", "{\"s\":\"\xEF\xBF\xBD\xEF\xBF\xBD\"}"},  // cut short
  };
  for (const auto& c : cases) {
    const std::string repaired = WellFormedProtocolText(c.given);
    EXPECT_EQ(repaired, c.expected) << c.given;
    EXPECT_FALSE(json::parse(repaired, nullptr, false).is_discarded()) << c.given;
  }
}

TEST(ProtocolText, Base64RoundTripsEveryByte) {
  std::string bytes;
  for (int i = 0; i < 256; ++i) bytes += char(i);
  for (size_t length : {0u, 1u, 2u, 3u, 4u, 256u}) {
    const std::string part = bytes.substr(0, length);
    EXPECT_EQ(Base64Decode(Base64Encode(part)), part);
  }
  EXPECT_EQ(Base64Encode("Man"), "TWFu");
  EXPECT_EQ(Base64Encode("Ma"), "TWE=");
}

// A value decoded from its JSON form and encoded again comes back the same, numbers JSON cannot
// hold included.
TEST(ScriptValueJson, EachKindDecodesAndEncodesBack) {
  const char* cases[] = {
      R"({"z":1})",
      R"({"d":1.5})",
      R"({"d":"NaN"})",
      R"({"d":"Infinity"})",
      R"({"d":"-Infinity"})",
      R"({"d":"-0"})",
      R"({"d":1e+308})",
      R"({"b":true})",
      R"({"s":""})",
      R"({"s":"\u0000\u2028ü"})",
      R"({"a":[]})",
      R"({"a":[1.0,"-0","NaN"]})",
      R"({"t":["x",""]})",
      R"({"o":{"a":"1","b":"2"}})",
  };
  for (const char* text : cases) {
    const json given = json::parse(text);
    std::string problem;
    IQuorV8Variant* value = DecodeScriptValue(given, &problem);
    ASSERT_NE(value, nullptr) << text;
    EXPECT_EQ(problem, "");
    // Number arrays go back as their bytes: decoded again, they are the same.
    const json encoded = EncodeScriptValue(value);
    value->Release();
    if (given.contains("a")) {
      IQuorV8Variant* again = DecodeScriptValue(encoded, &problem);
      ASSERT_NE(again, nullptr) << text;
      const double* data = nullptr;
      ULONG count = 0;
      ASSERT_EQ(again->GetDoubleArray(&data, &count), S_OK);
      ASSERT_EQ(count, given["a"].size());
      for (ULONG i = 0; i < count; ++i) {
        double expected = 0;
        ASSERT_TRUE(DecodeNumber(given["a"][i], &expected));
        EXPECT_EQ(std::memcmp(&data[i], &expected, sizeof expected), 0) << text << " " << i;
      }
      again->Release();
    } else {
      EXPECT_EQ(encoded, given) << text;
    }
  }
}

TEST(ScriptValueJson, UndefinedIsAMissingArgumentAndOtherShapesAreRefusedByPosition) {
  std::vector<IQuorV8Variant*> values;
  std::string problem;
  EXPECT_TRUE(DecodeScriptArguments(json::parse(R"([{"u":1},{"d":2}])"), &values, &problem));
  ASSERT_EQ(values.size(), 2u);
  EXPECT_EQ(values[0], nullptr);
  double number = 0;
  EXPECT_EQ(values[1]->GetDouble(&number), S_OK);
  EXPECT_EQ(number, 2);
  for (IQuorV8Variant* value : values) {
    if (value) value->Release();
  }
  values.clear();

  for (const char* bad : {R"([{"d":1},{"a":[1,"x"]}])", R"([{"s":1},{"d":1}])", R"([{"q":1}])",
                          R"([{"o":{"a":1}}])"}) {
    problem.clear();
    EXPECT_FALSE(DecodeScriptArguments(json::parse(bad), &values, &problem)) << bad;
    EXPECT_THAT(problem, ::testing::StartsWith("argument ")) << bad;
    for (IQuorV8Variant* value : values) {
      if (value) value->Release();
    }
    values.clear();
  }
}

TEST(ScriptValueJson, NumbersKeepTheirSignAndTheirNonFiniteValues) {
  const double numbers[] = {-0.0, 0.0, NAN, INFINITY, -INFINITY, 1e308, 5e-324, -1.25};
  for (double number : numbers) {
    double back = 12345;
    ASSERT_TRUE(DecodeNumber(json::parse(EncodeNumber(number).dump()), &back));
    if (std::isnan(number)) {
      EXPECT_TRUE(std::isnan(back));
    } else {
      EXPECT_EQ(back, number);
      EXPECT_EQ(std::signbit(back), std::signbit(number));
    }
  }
}

}  // namespace
}  // namespace PendrelBrowser
