// A user's input to the page a browser object shows: pointer and key events and typed text,
// delivered through the browser's own input pipeline, so that the page sees them exactly as it
// sees a person's (trusted events, focus, default actions). For tests and the command line; the
// module never sends input.
#pragma once

#include <string>

#include "platform/pendrel/browser.h"

namespace PendrelBrowser {

enum class MouseAction { Press, Move, Release };

// Modifier bits as the browser counts them.
inline constexpr int kAltKey = 1;
inline constexpr int kCtrlKey = 2;
inline constexpr int kShiftKey = 4;

struct MouseInput {
  MouseAction action = MouseAction::Move;
  double x = 0, y = 0;    // CSS pixels of the page
  bool leftHeld = false;  // for a move: whether the left button is down
  int clickCount = 1;     // for a press or release: 2 for the second press of a double click
  int modifiers = 0;
};

// Each returns S_OK once the page has taken the event, E_INVALIDARG for a browser that is not
// the component's or a key it does not know, E_FAIL when the browser refused.
HRESULT SendMouse(IQuorBrowser* browser, const MouseInput& input);
// A key pressed and let go: "Enter", "Escape", "Tab", "Backspace", or one letter or digit.
HRESULT SendKey(IQuorBrowser* browser, const std::string& key, int modifiers = 0);
// Text typed into the focused element, as one insertion (UTF-8).
HRESULT SendText(IQuorBrowser* browser, const std::string& text);

}  // namespace PendrelBrowser
