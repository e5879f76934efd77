#include "views/report/report_view_class.h"

#include "analysis/views/view_classes.h"
#include "views/classes/tarn_owl_doc_view_class.h"

namespace Rhyth {

OwlDocViewClassBase* NewReportViewClass() {
  return TarnOwlDocViewClass<ReportDocView>::Create(ReportView::kViewNumber);
}

namespace {
const bool kMakerSet = SetViewClassMaker(ReportView::kViewNumber, &NewReportViewClass);
}  // namespace

}  // namespace Rhyth

extern "C" {
int RhythReportViewClassAnchor = 0;
}
