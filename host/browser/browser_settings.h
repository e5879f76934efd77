// Process-wide settings and inspection of the browser component: how long any wait for the
// browser lasts, the page errors it collected (so a test or the command line can fail on them),
// and the process id of the browser that runs now.
#pragma once

#include <string>
#include <vector>

#include "platform/win32/types.h"

namespace PendrelBrowser {

// How long a wait for the browser (a load, a script, an answer) lasts; returns the previous
// value. 20 s unless set.
DWORD SetBrowserTimeout(DWORD milliseconds);
DWORD BrowserTimeout();

// Uncaught page exceptions, console errors and scripts that threw, oldest first, and forgotten.
std::vector<std::string> TakePageErrors();
void RecordPageError(std::string text);

// The browser process of this process, 0 when none runs.
int BrowserProcessId();

}  // namespace PendrelBrowser
