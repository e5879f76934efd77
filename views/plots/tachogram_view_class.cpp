#include "views/plots/tachogram_view_class.h"

#include "analysis/views/view_classes.h"
#include "views/classes/tarn_owl_doc_view_class.h"

namespace Rhyth {

OwlDocViewClassBase* NewTachogramViewClass() {
  return TarnOwlDocViewClass<TachogramDocView>::Create(TachogramView::kViewNumber);
}

namespace {
const bool kMakerSet = SetViewClassMaker(TachogramView::kViewNumber, &NewTachogramViewClass);
}  // namespace

}  // namespace Rhyth

extern "C" {
int RhythTachogramViewClassAnchor = 0;
}
