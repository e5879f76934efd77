#include "views/plots/poincare_view_class.h"

#include "analysis/views/view_classes.h"
#include "views/classes/tarn_owl_doc_view_class.h"

namespace Rhyth {

OwlDocViewClassBase* NewPoincareViewClass() {
  return TarnOwlDocViewClass<PoincareDocView>::Create(PoincareView::kViewNumber);
}

namespace {
const bool kMakerSet = SetViewClassMaker(PoincareView::kViewNumber, &NewPoincareViewClass);
}  // namespace

}  // namespace Rhyth

extern "C" {
int RhythPoincareViewClassAnchor = 0;
}
