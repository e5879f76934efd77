// The class object of the poincare view and its document-view wrapper (view number 6). Loading
// the views into the module names its maker to registration.
#pragma once

#include "hostframework/docview/owl_doc_view_class_base.h"
#include "views/classes/tarn_owl_doc_view.h"
#include "views/plots/poincare_view.h"

namespace Rhyth {

using PoincareDocView = TarnOwlDocView<PoincareView>;

// The poincare view's class object, with one reference for the caller.
OwlDocViewClassBase* NewPoincareViewClass();

}  // namespace Rhyth

// Referenced by the module's link so that the class maker is always in it.
extern "C" int RhythPoincareViewClassAnchor;
