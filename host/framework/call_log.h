// The record of every call that the host's objects answer, so that tests can assert what the
// module asked for, in what order and with what arguments. One log per process, kept inside
// libTarn.so and shared by the host application object.
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

// Never throws: a call whose record cannot be stored still runs.
TARN_API void RecordCall(std::string_view service, std::string_view operation,
                         std::string_view arguments = {}) noexcept;

// The calls so far, oldest first.
TARN_API std::vector<CallRecord> RecordedCalls();
TARN_API std::vector<std::string> RecordedCallTexts();
// How many calls of "Service.Operation" were recorded.
TARN_API std::size_t CountCalls(std::string_view serviceAndOperation);
TARN_API void ClearRecordedCalls();

}  // namespace Tarn
