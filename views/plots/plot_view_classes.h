// The class objects of the spectrum, RR histogram, delta-RR histogram and classifier views and
// their document-view wrappers. Loading the views into the module names their makers to
// registration, which hands them to the host in its order of views.
#pragma once

#include "views/classes/tarn_owl_doc_view.h"
#include "views/plots/classifier_view.h"
#include "views/plots/histogram_views.h"
#include "views/plots/spectrum_view.h"

namespace Rhyth {

using SpectrumDocView = TarnOwlDocView<SpectrumView>;
using RRHistogramDocView = TarnOwlDocView<RRHistogramView>;
using DeltaRRHistogramDocView = TarnOwlDocView<DeltaRRHistogramView>;
using ClassifierDocView = TarnOwlDocView<ClassifierView>;

}  // namespace Rhyth

// Referenced by the link of every program and module with the views, so that the makers are in
// it.
extern "C" int RhythPlotViewClassesAnchor;
