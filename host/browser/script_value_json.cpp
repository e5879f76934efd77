#include "host/browser/script_value_json.h"

#include <cmath>
#include <cstring>

#include "host/browser/base64.h"
#include "host/browser/script_value.h"
#include "host/framework/host_text.h"
#include "platform/win32/code_pages.h"

namespace PendrelBrowser {

using nlohmann::json;

std::u16string Utf16FromUtf8(const std::string& text) {
  if (text.empty()) return {};
  const int bytes = int(text.size());
  const int units = MultiByteToWideChar(CP_UTF8, 0, text.data(), bytes, nullptr, 0);
  std::u16string out(size_t(units), u'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), bytes, out.data(), units);
  return out;
}

std::string Utf8FromUtf16(const std::u16string& text) { return Tarn::Utf8(text); }

json EncodeNumber(double number) {
  if (std::isnan(number)) return "NaN";
  if (std::isinf(number)) return number > 0 ? "Infinity" : "-Infinity";
  if (number == 0 && std::signbit(number)) return "-0";
  return number;
}

bool DecodeNumber(const json& encoded, double* number) {
  if (encoded.is_number()) {
    *number = encoded.get<double>();
    return true;
  }
  if (!encoded.is_string()) return false;
  const std::string& name = encoded.get_ref<const std::string&>();
  if (name == "NaN") *number = std::nan("");
  else if (name == "Infinity") *number = HUGE_VAL;
  else if (name == "-Infinity") *number = -HUGE_VAL;
  else if (name == "-0") *number = -0.0;
  else return false;
  return true;
}

namespace {

IQuorV8Variant* NewValue(ScriptContent content) {
  IQuorV8Variant* value = new ScriptValue(std::move(content));
  value->AddRef();
  return value;
}

bool DecodeContent(const json& encoded, ScriptContent* content) {
  if (!encoded.is_object() || encoded.size() != 1) return false;
  const auto only = encoded.begin();
  const std::string& kind = only.key();
  const json& body = only.value();
  if (kind == "z") return true;
  if (kind == "d") {
    double number;
    if (!DecodeNumber(body, &number)) return false;
    *content = number;
    return true;
  }
  if (kind == "b" && body.is_boolean()) {
    *content = body.get<bool>();
    return true;
  }
  if (kind == "s" && body.is_string()) {
    *content = Utf16FromUtf8(body.get_ref<const std::string&>());
    return true;
  }
  if (kind == "a" && body.is_array()) {
    std::vector<double> numbers(body.size());
    for (size_t i = 0; i < body.size(); ++i) {
      if (!DecodeNumber(body[i], &numbers[i])) return false;
    }
    *content = std::move(numbers);
    return true;
  }
  if (kind == "f" && body.is_string()) {
    const std::string bytes = Base64Decode(body.get_ref<const std::string&>());
    std::vector<double> numbers(bytes.size() / sizeof(double));
    if (!numbers.empty()) std::memcpy(numbers.data(), bytes.data(), numbers.size() * sizeof(double));
    *content = std::move(numbers);
    return true;
  }
  if (kind == "t" && body.is_array()) {
    std::vector<std::u16string> texts;
    for (const json& text : body) {
      if (!text.is_string()) return false;
      texts.push_back(Utf16FromUtf8(text.get_ref<const std::string&>()));
    }
    *content = std::move(texts);
    return true;
  }
  if (kind == "o" && body.is_object()) {
    StringMap map;
    for (const auto& [key, text] : body.items()) {
      if (!text.is_string()) return false;
      map[Utf16FromUtf8(key)] = Utf16FromUtf8(text.get_ref<const std::string&>());
    }
    *content = std::move(map);
    return true;
  }
  return false;
}

json EncodeTexts(IEnumIAutoQuorString* strings) {
  json texts = json::array();
  for (const std::u16string& text : DrainStrings(strings)) texts.push_back(Utf8FromUtf16(text));
  return texts;
}

}  // namespace

IQuorV8Variant* DecodeScriptValue(const json& encoded, std::string* problem) {
  if (encoded.is_object() && encoded.contains("u")) return nullptr;
  ScriptContent content;
  if (!DecodeContent(encoded, &content)) {
    if (problem) *problem = "a value of a kind that cannot cross to native code";
    return nullptr;
  }
  return NewValue(std::move(content));
}

bool DecodeScriptArguments(const json& encoded, std::vector<IQuorV8Variant*>* values,
                           std::string* problem) {
  if (!encoded.is_array()) {
    if (problem) *problem = "no argument list";
    return false;
  }
  for (size_t i = 0; i < encoded.size(); ++i) {
    std::string valueProblem;
    values->push_back(DecodeScriptValue(encoded[i], &valueProblem));
    if (!valueProblem.empty()) {
      if (problem) *problem = "argument " + std::to_string(i + 1) + " is " + valueProblem;
      return false;
    }
  }
  return true;
}

json EncodeScriptValue(IQuorV8Variant* value) {
  int type = kV8Empty;
  if (!value || FAILED(value->GetType(&type))) return {{"z", 1}};
  switch (type) {
    case kV8String: {
      IAutoQuorString* text = nullptr;
      if (FAILED(value->GetString(&text))) break;
      const std::u16string units = Tarn::TextOf(text);
      if (text) text->Release();
      return {{"s", Utf8FromUtf16(units)}};
    }
    case kV8Double: {
      double number = 0;
      if (FAILED(value->GetDouble(&number))) break;
      return {{"d", EncodeNumber(number)}};
    }
    case kV8Int: {
      int number = 0;
      if (FAILED(value->GetInt(&number))) break;
      return {{"d", number}};
    }
    case kV8Bool: {
      VARIANT_BOOL flag = VARIANT_FALSE;
      if (FAILED(value->GetBool(&flag))) break;
      return {{"b", flag != VARIANT_FALSE}};
    }
    case kV8DoubleArray: {
      const double* data = nullptr;
      ULONG count = 0;
      if (FAILED(value->GetDoubleArray(&data, &count))) break;
      // As the doubles' own bytes: a day's tachogram is read in the page without parsing
      // 100,000 numbers, and NaN and -0 need no names.
      const std::string bytes =
          data ? std::string(reinterpret_cast<const char*>(data), size_t(count) * sizeof(double)) : "";
      return {{"f", Base64Encode(bytes)}};
    }
    case kV8StringArray: {
      IEnumIAutoQuorString* strings = nullptr;
      if (FAILED(value->GetStringArray(&strings))) break;
      json texts = EncodeTexts(strings);
      if (strings) strings->Release();
      return {{"t", std::move(texts)}};
    }
    case kV8Object: {
      IEnumIAutoQuorString* keys = nullptr;
      IEnumIAutoQuorString* values = nullptr;
      if (FAILED(value->GetObject(&keys, &values))) break;
      const std::vector<std::u16string> keyTexts = DrainStrings(keys);
      const std::vector<std::u16string> valueTexts = DrainStrings(values);
      if (keys) keys->Release();
      if (values) values->Release();
      json object = json::object();
      for (size_t i = 0; i < keyTexts.size() && i < valueTexts.size(); ++i) {
        object[Utf8FromUtf16(keyTexts[i])] = Utf8FromUtf16(valueTexts[i]);
      }
      return {{"o", std::move(object)}};
    }
    default:
      break;
  }
  return {{"z", 1}};
}

}  // namespace PendrelBrowser
