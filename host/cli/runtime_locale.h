// The name under which the runtime library is asked for the user's locale. The host describes
// the user's conventions as the United States' (English); a machine without that locale gets
// them under the name of one it has, so the module does not warn of a missing locale at every run.
#pragma once

namespace PendrelHost {

// Keeps the user's locale description and names the first runtime locale of "en_US.UTF-8",
// "C.UTF-8" and "C" that this machine can load.
void UseInstalledRuntimeLocale();

}  // namespace PendrelHost
