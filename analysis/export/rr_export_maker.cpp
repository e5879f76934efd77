#include "analysis/export/rr_export_maker.h"

namespace Rhyth {

namespace {
// Constant-initialised: a maker set by static construction in another unit is never lost.
RRExportMaker g_maker = nullptr;
}  // namespace

bool SetRRIntervalSaveClassMaker(RRExportMaker make) {
  g_maker = make;
  return true;
}

ITarnClassObject* NewRRIntervalSaveClass() { return g_maker ? g_maker() : nullptr; }

}  // namespace Rhyth
