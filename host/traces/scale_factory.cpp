#include "host/traces/scale_factory.h"

#include <mutex>
#include <string>

#include "host/framework/call_arguments.h"
#include "host/framework/call_log.h"
#include "host/framework/guarded_call.h"
#include "host/framework/host_object_makers.h"
#include "host/traces/axis_adjuster.h"
#include "host/traces/event_colour_service.h"

namespace PendrelHost {

namespace {

std::string Offsets(LONG x, LONG y, DWORD flags) {
  return "x=" + std::to_string(x) + ", y=" + std::to_string(y) + ", flags=" + Tarn::HexWord(flags);
}

HRESULT MakeScaleFactory(DWORD, REFIID iid, void** object) {
  return ScaleFactory::Instance().QueryInterface(iid, object);
}

}  // namespace

ScaleFactory& ScaleFactory::Instance() {
  static ScaleFactory factory;
  return factory;
}

HRESULT ScaleFactory::CreateAdjuster(LONG channel, LONG xOffset, LONG yOffset, DWORD flags,
                                     LONG axis, IPendrelAxisAdjuster** adjuster) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall("ScaleFactory", "CreateAdjuster",
                     "channel=" + std::to_string(channel) + ", " + Offsets(xOffset, yOffset, flags) +
                         ", axis=" + std::to_string(axis));
    if (!adjuster) return E_POINTER;
    *adjuster = new AxisAdjuster({channel, xOffset, yOffset, flags, axis});
    (*adjuster)->AddRef();
    return S_OK;
  });
}

HRESULT ScaleFactory::NoteMonochromeAxis(LONG xOffset, LONG yOffset, DWORD flags) {
  Tarn::RecordCall("ScaleFactory", "NoteMonochromeAxis", Offsets(xOffset, yOffset, flags));
  return S_OK;
}

void AddTraceObjectMakers() {
  static std::once_flag once;
  std::call_once(once, [] {
    Tarn::AddHostTypeMaker(kTarnTypeScaleFactory, MakeScaleFactory);
    Tarn::AddHostTypeMaker(kTarnTypeEventColourService, MakeEventColourService);
  });
}

}  // namespace PendrelHost
