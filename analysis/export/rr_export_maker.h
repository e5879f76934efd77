// Where module registration gets the RR interval export's class object. The export is built
// with the views, which name its maker here while the module loads; registration then makes
// one and hands it to the host's class registry, which owns it through its reference count.
#pragma once

#include "platform/pendrel/class_registry.h"

namespace Rhyth {

// Makes the class object with one reference for the caller.
using RRExportMaker = ITarnClassObject* (*)();

// Set while the module loads, before registration. Returns true, so that a static can hold
// the call.
bool SetRRIntervalSaveClassMaker(RRExportMaker make);

// A new class object with one reference for the caller; null when no maker was named (a
// program built without the views).
ITarnClassObject* NewRRIntervalSaveClass();

}  // namespace Rhyth
