#include "analysis/views/beat_mark_draw_class.h"

namespace Rhyth {

namespace {

// Constant-initialised: a maker set by static construction in another unit is never lost.
BeatMarkDrawClassMaker g_maker = nullptr;

}  // namespace

bool SetBeatMarkDrawClassMaker(BeatMarkDrawClassMaker make) {
  g_maker = make;
  return true;
}

ITarnClassObject* NewBeatMarkDrawClass() { return g_maker ? g_maker() : nullptr; }

}  // namespace Rhyth
