#include "views/plots/plot_view_classes.h"

#include "analysis/views/view_classes.h"
#include "views/classes/tarn_owl_doc_view_class.h"

namespace Rhyth {

namespace {

template <class Wrapper, class View>
OwlDocViewClassBase* NewClass() {
  return TarnOwlDocViewClass<Wrapper>::Create(View::kViewNumber);
}

template <class Wrapper, class View>
bool SetMaker() {
  return SetViewClassMaker(View::kViewNumber, &NewClass<Wrapper, View>);
}

const bool kMakersSet = SetMaker<SpectrumDocView, SpectrumView>() &&
                        SetMaker<RRHistogramDocView, RRHistogramView>() &&
                        SetMaker<DeltaRRHistogramDocView, DeltaRRHistogramView>() &&
                        SetMaker<ClassifierDocView, ClassifierView>();

}  // namespace

}  // namespace Rhyth

extern "C" {
int RhythPlotViewClassesAnchor = 0;
}
