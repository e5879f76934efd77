// Module registration: everything through which the host later creates the module's objects
// reaches the host, in a fixed order the host relies on: the class objects built at load
// (the static class-object list), the message classes, then the document class, the two
// enumerator classes, the beat-mark draw class, the seven view classes and the RR interval
// export, and last the self-test, which goes to the host's test registry.
#pragma once

#include "platform/win32/unknown.h"

namespace Rhyth {

// E_FAIL, registering nothing, for a null host or a host without its application object.
// Registration runs once per process: a later call registers nothing and answers S_FALSE.
// A document or enumerator class that the host refuses makes the call fail (with the host's
// result) after every other class was still offered.
HRESULT RegisterModule(IUnknown* host);

}  // namespace Rhyth
