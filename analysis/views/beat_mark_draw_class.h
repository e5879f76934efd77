// The class object of the beat marks: the host asks it how to draw the events of the beat
// channel (records of type FiducialEventTypeId) on a trace. Module registration makes one and
// hands it to the host; the host owns it through its reference count. This build draws no
// traces, so the class only makes itself known.
#pragma once

#include "platform/pendrel/class_registry.h"

namespace Rhyth {

// A new class object with one reference for the caller.
ITarnClassObject* NewBeatMarkDrawClass();

}  // namespace Rhyth
