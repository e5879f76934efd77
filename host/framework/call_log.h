// The record of the calls that the host's objects answer, so that tests can assert what the
// module asked for, in what order and with what arguments. One log per process, kept inside
// libTarn.so and shared by the host application object. It keeps the most recent calls only:
// a host that analyses long recordings again and again must not grow by every call it ever
// answered.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "host/framework/tarn_api.h"

namespace Tarn {

struct CallRecord {
  std::string service;    // "ClassRegistry"
  std::string operation;  // "CreateObject"
  std::string arguments;  // "type=0x80000013"

  // "ClassRegistry.CreateObject(type=0x80000013)"
  std::string Text() const { return service + "." + operation + "(" + arguments + ")"; }
};

// How many of the most recent calls the log keeps; far more than any test makes.
inline constexpr std::size_t kCallLogCapacity = 100000;

// Never throws: a call whose record cannot be stored still runs.
TARN_API void RecordCall(std::string_view service, std::string_view operation,
                         std::string_view arguments = {}) noexcept;

// The calls kept, oldest first.
TARN_API std::vector<CallRecord> RecordedCalls();
TARN_API std::vector<std::string> RecordedCallTexts();
// How many calls of "Service.Operation" were recorded.
TARN_API std::size_t CountCalls(std::string_view serviceAndOperation);
TARN_API void ClearRecordedCalls();

}  // namespace Tarn
