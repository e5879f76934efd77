// Which browser the host runs and how: the binary (PENDREL_BROWSER names another one), the flags
// that keep it headless, private and off every network, and the profile folder it may write.
#pragma once

#include <string>
#include <vector>

namespace PendrelBrowser {

// The first of PENDREL_BROWSER, chromium-headless-shell and chromium that is executable; empty
// when there is none.
std::string BrowserBinary();

// The command line: the binary first, then the flags.
std::vector<std::string> BrowserCommandLine(const std::string& binary, const std::string& profile);

}  // namespace PendrelBrowser
