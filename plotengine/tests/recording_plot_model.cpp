#include "plotengine/tests/recording_plot_model.h"

namespace plotengine_test {

using namespace Quor;

RecordedEvent DecodeEvent(const EtchEvent& event) {
  RecordedEvent r{event.type & 0xFFFF, {}, {}, 0, 0};
  auto text = [&](const WCHAR* t) { r.texts.emplace_back(t ? t : u""); };
  switch (r.n) {
    case 0:
    case 4:
    case 8: {
      const auto* p = static_cast<const EtchArrayPayload*>(event.payload);
      text(p->id);
      r.values.assign(p->values, p->values + p->count);
      r.count = p->count;
      break;
    }
    case 1:
      r.flag = static_cast<const EtchCompiledPayload*>(event.payload)->success;
      break;
    case 2: {
      const auto* p = static_cast<const EtchBadPropertyPayload*>(event.payload);
      for (const WCHAR* t : {p->plotter, p->property, p->expectedKind, p->defaultText}) text(t);
      break;
    }
    case 3: {
      const auto* p = static_cast<const EtchSvgPayload*>(event.payload);
      for (const WCHAR* t : {p->plotId, p->userData, p->svg}) text(t);
      break;
    }
    case 5:
    case 6: {
      const auto* p = static_cast<const EtchScalingPayload*>(event.payload);
      text(p->plotId);
      r.values.assign(p->values, p->values + p->count);
      r.count = p->count;
      r.flag = p->autoScale;
      break;
    }
    case 9: {
      const auto* p = static_cast<const EtchClickPayload*>(event.payload);
      text(p->dataId);
      text(p->label);
      r.flag = p->select;
      break;
    }
    case 10: {
      const auto* p = static_cast<const EtchRegionPosPayload*>(event.payload);
      text(p->regionId);
      r.values = {p->xPercent, p->yPercent};
      break;
    }
    case 11: {
      const auto* p = static_cast<const EtchRegionTextPayload*>(event.payload);
      text(p->regionId);
      text(p->text);
      break;
    }
    default:
      break;
  }
  return r;
}

LONG RecordingPlotModel::DeliverEvent(const EtchEvent& event) {
  events.push_back(DecodeEvent(event));
  return 0;
}

}  // namespace plotengine_test
