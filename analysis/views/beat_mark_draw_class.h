// The class object of the beat marks: the host asks it how to draw the events of the beat
// channel (records of type FiducialEventTypeId) on a trace. Module registration makes one and
// hands it to the host; the host owns it through its reference count. The class itself is the
// views' (they draw nothing of the analysis core): loading them names its maker here.
#pragma once

#include "platform/pendrel/class_registry.h"

namespace Rhyth {

// A new class object with one reference for the caller; null while no maker is named (a
// program without the views), and then registration offers none.
ITarnClassObject* NewBeatMarkDrawClass();

// Makes the beat-mark draw class, with one reference for the caller.
using BeatMarkDrawClassMaker = ITarnClassObject* (*)();
// Set while the module loads, before registration. Returns true, so that a static can hold the
// call.
bool SetBeatMarkDrawClassMaker(BeatMarkDrawClassMaker make);

}  // namespace Rhyth
