// The beat-mark draw class: how the host draws the beats of the analysis (the fiducial events,
// FiducialEventTypeId) on its traces, in the colours of their classes, with a tooltip for each.
// Loading the views into the module names its maker to registration, which registers one after
// the two enumerator classes.
#pragma once

#include "analysis/detection/fiducial_enumerator.h"
#include "views/marks/fiducial_draw_policy.h"
#include "views/marks/typed_event_draw_class.h"

namespace Rhyth {

using BeatMarkDrawClass =
    PendrelClient::TEventDrawClass<FiducialEvent, FiducialEventTypeId, FiducialDrawPolicy>;

// The class object with one reference for the caller: the host finds it by the beat type word
// and asks it for IPODEventDrawClass.
ITarnClassObject* NewBeatMarkDrawClassObject();

}  // namespace Rhyth

// Referenced by the module's link so that the draw class's maker is always in it.
extern "C" int RhythBeatMarkDrawClassAnchor;
