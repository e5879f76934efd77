// The browser component's class object, which the host registers in its class registry under
// kBrowserClassType so that modules find it there, and through which they make browsers. The
// object lives for the whole process.
#pragma once

#include "platform/pendrel/browser.h"

namespace PendrelBrowser {

IQuorBrowserClass* BrowserClassObject();

// Registers the class object with the host's class registry; S_FALSE when it is there already.
HRESULT RegisterBrowserClass();

}  // namespace PendrelBrowser
