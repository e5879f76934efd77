// Starting the host: the framework's class object and the host application object become
// reachable through CoGetClassObject, as modules expect to find them. A process that does not
// start the host leaves modules to load libTarn.so themselves, and has no host application.
#pragma once

#include "platform/win32/hresult.h"

namespace PendrelHost {

// S_FALSE when the host has started already.
HRESULT StartHost();
// Revokes what StartHost registered.
void StopHost();

}  // namespace PendrelHost
