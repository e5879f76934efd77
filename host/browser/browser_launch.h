// Which browser the host runs and how: the binary (PENDREL_BROWSER names another one), the flags
// that keep it headless, private and off every network, and the profile folder it may write.
#pragma once

#include <string>
#include <vector>

namespace PendrelBrowser {

// The first of PENDREL_BROWSER, chromium-headless-shell and chromium that is executable; empty
// when there is none.
std::string BrowserBinary();

// The command line: the binary first, then the flags. Every network request the browser makes
// itself goes to the answer proxy (host/browser/answer_proxy.h) at `proxyPort`.
std::vector<std::string> BrowserCommandLine(const std::string& binary, const std::string& profile,
                                            int proxyPort);

}  // namespace PendrelBrowser
