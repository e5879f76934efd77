#include "views/marks/beat_mark_draw_class.h"

#include "analysis/views/beat_mark_draw_class.h"

namespace Rhyth {

ITarnClassObject* NewBeatMarkDrawClassObject() {
  auto* classObject = new BeatMarkDrawClass;
  classObject->AddRef();
  return classObject;
}

namespace {
const bool kMakerSet = SetBeatMarkDrawClassMaker(&NewBeatMarkDrawClassObject);
}  // namespace

}  // namespace Rhyth

extern "C" {
int RhythBeatMarkDrawClassAnchor = 0;
}
