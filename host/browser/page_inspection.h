// The host's own look into the pages its browser objects show: the browser inside a window of
// the host (a view's frame), and the value of a script expression in its page. For tests and
// the command line, which read and drive the plots they opened; the module never asks.
#pragma once

#include <string>

#include <nlohmann/json.hpp>

#include "platform/pendrel/browser.h"

namespace PendrelBrowser {

// The first of the component's browsers among the window's descendants (or the window itself),
// not held; null when there is none.
IQuorBrowser* BrowserInWindow(HWND window);

// The value of `expression` in the page, a promise waited for, as JSON (null for undefined).
// E_INVALIDARG for a browser that is not the component's; E_FAIL, with the reason in `error`,
// when the expression threw or the page did not answer.
HRESULT EvaluateInPage(IQuorBrowser* browser, const std::string& expression, nlohmann::json& value,
                       std::string& error);

}  // namespace PendrelBrowser
