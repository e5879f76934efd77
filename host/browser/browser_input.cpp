#include "host/browser/browser_input.h"

#include <cctype>

#include <nlohmann/json.hpp>

#include "host/browser/browser_object.h"
#include "host/browser/browser_page.h"

namespace PendrelBrowser {

using nlohmann::json;

namespace {

BrowserPage* PageOf(IQuorBrowser* browser) {
  auto* object = dynamic_cast<BrowserObject*>(browser);
  return object ? &object->Page() : nullptr;
}

const char* MouseType(MouseAction action) {
  switch (action) {
    case MouseAction::Press: return "mousePressed";
    case MouseAction::Release: return "mouseReleased";
    case MouseAction::Move: break;
  }
  return "mouseMoved";
}

struct KeyCode {
  std::string code;
  int virtualKey = 0;
  std::string text;  // what the key types, empty for none
};

bool LookUpKey(const std::string& key, KeyCode& found) {
  static const std::pair<const char*, KeyCode> named[] = {
      {"Enter", {"Enter", 13, "\r"}},
      {"Escape", {"Escape", 27, ""}},
      {"Tab", {"Tab", 9, ""}},
      {"Backspace", {"Backspace", 8, ""}},
  };
  for (const auto& [name, code] : named) {
    if (key == name) {
      found = code;
      return true;
    }
  }
  if (key.size() != 1 || !std::isalnum(static_cast<unsigned char>(key[0]))) return false;
  const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(key[0])));
  found.code = std::isdigit(static_cast<unsigned char>(upper)) ? std::string("Digit") + upper
                                                               : std::string("Key") + upper;
  found.virtualKey = upper;
  found.text = key;
  return true;
}

}  // namespace

HRESULT SendMouse(IQuorBrowser* browser, const MouseInput& input) {
  BrowserPage* page = PageOf(browser);
  if (!page) return E_INVALIDARG;
  const bool pressOrRelease = input.action != MouseAction::Move;
  json params = {{"type", MouseType(input.action)},
                 {"x", input.x},
                 {"y", input.y},
                 {"modifiers", input.modifiers},
                 {"button", pressOrRelease || input.leftHeld ? "left" : "none"},
                 {"buttons", input.action == MouseAction::Press || input.leftHeld ? 1 : 0}};
  if (pressOrRelease) params["clickCount"] = input.clickCount;
  return page->DispatchInput("Input.dispatchMouseEvent", params);
}

HRESULT SendKey(IQuorBrowser* browser, const std::string& key, int modifiers) {
  BrowserPage* page = PageOf(browser);
  KeyCode code;
  if (!page || !LookUpKey(key, code)) return E_INVALIDARG;
  // A key held with Ctrl or Alt types nothing.
  const bool types = !code.text.empty() && (modifiers & (kCtrlKey | kAltKey)) == 0;
  json down = {{"type", types ? "keyDown" : "rawKeyDown"},
               {"key", key},
               {"code", code.code},
               {"windowsVirtualKeyCode", code.virtualKey},
               {"modifiers", modifiers}};
  if (types) down["text"] = code.text;
  const HRESULT pressed = page->DispatchInput("Input.dispatchKeyEvent", down);
  if (pressed != S_OK) return pressed;
  json up = down;
  up["type"] = "keyUp";
  up.erase("text");
  return page->DispatchInput("Input.dispatchKeyEvent", up);
}

HRESULT SendText(IQuorBrowser* browser, const std::string& text) {
  BrowserPage* page = PageOf(browser);
  if (!page) return E_INVALIDARG;
  return page->DispatchInput("Input.insertText", {{"text", text}});
}

}  // namespace PendrelBrowser
