// The class object of the tachogram view and its document-view wrapper (view number 1). Loading
// the views into the module names its maker to registration.
#pragma once

#include "hostframework/docview/owl_doc_view_class_base.h"
#include "views/classes/tarn_owl_doc_view.h"
#include "views/plots/tachogram_view.h"

namespace Rhyth {

using TachogramDocView = TarnOwlDocView<TachogramView>;

// The tachogram view's class object, with one reference for the caller.
OwlDocViewClassBase* NewTachogramViewClass();

}  // namespace Rhyth

// Referenced by the module's link so that the class maker is always in it.
extern "C" int RhythTachogramViewClassAnchor;
