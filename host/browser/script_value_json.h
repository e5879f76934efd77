// How script values cross the page boundary as JSON. The page's shim encodes each argument as a
// one-key object that says its kind (so that an empty array, null and undefined stay apart) and
// writes the numbers JSON cannot hold (NaN, the infinities, -0) as their names:
//   {"u":1} undefined (a missing argument)   {"z":1} null (an empty value)
//   {"d":n} number   {"b":v} boolean   {"s":t} string   {"a":[n...]} number array
//   {"t":[t...]} string array   {"o":{k:t...}} flat object of strings
//   {"f":b} number array as the base64 of its little-endian doubles
// Results go back the same way, number arrays in the last form; an empty result reads as
// undefined in the page.
#pragma once

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "platform/pendrel/script_bridge.h"

namespace PendrelBrowser {

// A new value with one reference for the caller; null for undefined. Anything else that the
// encoding does not hold leaves `problem` set.
IQuorV8Variant* DecodeScriptValue(const nlohmann::json& encoded, std::string* problem);
// The values of a call's arguments (one reference each, null for undefined); false with
// `problem` naming the argument when one cannot be read.
bool DecodeScriptArguments(const nlohmann::json& encoded, std::vector<IQuorV8Variant*>* values,
                           std::string* problem);
nlohmann::json EncodeScriptValue(IQuorV8Variant* value);

nlohmann::json EncodeNumber(double number);
bool DecodeNumber(const nlohmann::json& encoded, double* number);

std::u16string Utf16FromUtf8(const std::string& text);
std::string Utf8FromUtf16(const std::u16string& text);

}  // namespace PendrelBrowser
