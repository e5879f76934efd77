#include "platform/win32/debug_output.h"

#include <mutex>

namespace {

std::mutex sinkMutex;
std::function<void(std::u16string_view)>& Sink() {
  static std::function<void(std::u16string_view)> sink;
  return sink;
}

}  // namespace

void OutputDebugStringW(LPCWSTR text) {
  std::lock_guard lock(sinkMutex);
  if (Sink() && text) Sink()(std::u16string_view(text));
}

namespace win32 {

void SetDebugOutputSink(std::function<void(std::u16string_view text)> sink) {
  std::lock_guard lock(sinkMutex);
  Sink() = std::move(sink);
}

}  // namespace win32
