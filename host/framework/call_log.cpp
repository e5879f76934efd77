#include "host/framework/call_log.h"

#include <algorithm>
#include <deque>
#include <mutex>

namespace Tarn {

namespace {

struct Log {
  std::mutex mutex;
  std::deque<CallRecord> records;
};

// Never destroyed: objects of modules may still call in while the process exits.
Log& TheLog() {
  static Log* log = new Log;
  return *log;
}

}  // namespace

void RecordCall(std::string_view service, std::string_view operation,
                std::string_view arguments) noexcept {
  try {
    CallRecord record{std::string(service), std::string(operation), std::string(arguments)};
    std::lock_guard lock(TheLog().mutex);
    TheLog().records.push_back(std::move(record));
    if (TheLog().records.size() > kCallLogCapacity) TheLog().records.pop_front();
  } catch (...) {
    // Out of memory: the call itself matters more than its record.
  }
}

std::vector<CallRecord> RecordedCalls() {
  std::lock_guard lock(TheLog().mutex);
  return {TheLog().records.begin(), TheLog().records.end()};
}

std::vector<std::string> RecordedCallTexts() {
  std::vector<std::string> texts;
  for (const CallRecord& record : RecordedCalls()) texts.push_back(record.Text());
  return texts;
}

std::size_t CountCalls(std::string_view serviceAndOperation) {
  std::lock_guard lock(TheLog().mutex);
  return static_cast<std::size_t>(
      std::count_if(TheLog().records.begin(), TheLog().records.end(), [&](const CallRecord& r) {
        return serviceAndOperation.size() == r.service.size() + 1 + r.operation.size() &&
               serviceAndOperation.starts_with(r.service) &&
               serviceAndOperation[r.service.size()] == '.' &&
               serviceAndOperation.ends_with(r.operation);
      }));
}

void ClearRecordedCalls() {
  std::lock_guard lock(TheLog().mutex);
  TheLog().records.clear();
}

}  // namespace Tarn
