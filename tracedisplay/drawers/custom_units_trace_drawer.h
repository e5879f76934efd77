// CustomUnitsPolyLineTraceDrawer: a trace drawn like any other whose unit text comes from a
// unit mapper instead of the channel: the mapper names the channel to ask for a unit text and
// turns that text (and the unit prefix of hit tests) into what the trace shows. The drawer owns
// its mapper.
#pragma once

#include <memory>

#include "tracedisplay/drawers/polyline_trace_drawer.h"
#include "tracedisplay/drawers/unit_mapper.h"

namespace PendrelDraw {

class CustomUnitsPolyLineTraceDrawer final : public PolyLineTraceDrawer {
 public:
  CustomUnitsPolyLineTraceDrawer(const TraceDrawerInit& init,
                                 std::shared_ptr<const UnitMapper> mapper);

  HRESULT GetValueAt(LONG laneKind, LONG record, IQuorString** text, VARIANT_BOOL* flag) override;
  HRESULT HitTest(LONG laneKind, LONG record, IQuorString** text, VARIANT_BOOL* flag,
                  double* range, double* secondRange, double* value) override;

 protected:
  ~CustomUnitsPolyLineTraceDrawer() override = default;
  DrawerBase* MakeCopy() const override;

 private:
  // Copies of the drawer share its mapper, which keeps no state.
  std::shared_ptr<const UnitMapper> m_mapper;
};

}  // namespace PendrelDraw
