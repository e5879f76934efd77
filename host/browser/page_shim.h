// The script that makes a native script object callable in a page: a global object of the
// object's name whose methods pass the call synchronously to the browser as a prompt with the
// call marker (or, where the page may not open a prompt, as a request to the call host), which
// the browser answers by calling the native object. The answer carries the script that native
// code ran during the call, which runs before the method returns, and the result or the error.
#pragma once

#include <string>
#include <vector>

namespace PendrelBrowser {

// The host that page calls go to; requests there never reach the resource loader.
inline constexpr char kCallPrefix[] = "http://call.pendrel-browser.invalid/";
// Where the page fetches an answer too large for a prompt, by its ticket.
inline constexpr char kHeldAnswerPrefix[] = "http://call.pendrel-browser.invalid/held/";
// The message of the prompts that carry calls; any other dialog of the page is the page's own.
inline constexpr char kCallMarker[] = "pendrel-browser call";

// The script that installs the object `name` with `methods` (UTF-8), runnable more than once.
std::string ScriptObjectShim(const std::string& name, const std::vector<std::string>& methods);

}  // namespace PendrelBrowser
