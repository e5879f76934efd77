// The stand-in host's scale factory: one per process, made by the class registry for
// kTarnTypeScaleFactory. It makes an axis adjuster per axis and logs every call, so that tests
// read what a band asked for (channel, offsets, flags, axis) from the host's call log.
#pragma once

#include "platform/pendrel/axis_scales.h"
#include "platform/win32/com_object.h"

namespace PendrelHost {

class ScaleFactory final : public NoDeleteUnknownImp1<IPendrelScaleFactory> {
 public:
  static ScaleFactory& Instance();

  HRESULT CreateAdjuster(LONG channel, LONG xOffset, LONG yOffset, DWORD flags, LONG axis,
                         IPendrelAxisAdjuster** adjuster) override;
  HRESULT NoteMonochromeAxis(LONG xOffset, LONG yOffset, DWORD flags) override;

 private:
  ScaleFactory() = default;
};

// Lets the class registry make the scale factory; runs once however often it is called.
void AddTraceObjectMakers();

}  // namespace PendrelHost
