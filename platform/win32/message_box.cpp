#include "platform/win32/message_box.h"

#include <mutex>
#include <utility>

namespace {

struct MessageBoxState {
  std::mutex mutex;
  win32::MessageBoxAnswerer answerer;
  std::vector<win32::MessageBoxCall> calls;
};

MessageBoxState& State() {
  static MessageBoxState state;
  return state;
}

}  // namespace

int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
  win32::MessageBoxCall call{owner, text ? text : u"", caption ? caption : u"Error", type};
  win32::MessageBoxAnswerer answerer;
  {
    std::lock_guard lock(State().mutex);
    State().calls.push_back(call);
    answerer = State().answerer;
  }
  // The answerer runs unlocked: it may show a box of its own.
  return answerer ? answerer(call) : IDCANCEL;
}

namespace win32 {

void SetMessageBoxAnswerer(MessageBoxAnswerer answerer) {
  std::lock_guard lock(State().mutex);
  State().answerer = std::move(answerer);
}

std::vector<MessageBoxCall> TakeMessageBoxCalls() {
  std::lock_guard lock(State().mutex);
  return std::exchange(State().calls, {});
}

}  // namespace win32
