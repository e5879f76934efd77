// The class object of the report view and its document-view wrapper: the report is view number
// 0, the first of the seven view classes module registration hands to the host. Loading the
// views into the module names its maker to registration.
#pragma once

#include "hostframework/docview/owl_doc_view_class_base.h"
#include "views/classes/tarn_owl_doc_view.h"
#include "views/report/report_view.h"

namespace Rhyth {

using ReportDocView = TarnOwlDocView<ReportView>;

// The report's class object, with one reference for the caller.
OwlDocViewClassBase* NewReportViewClass();

}  // namespace Rhyth

// Referenced by the module's link so that the report's class maker is always in it.
extern "C" int RhythReportViewClassAnchor;
