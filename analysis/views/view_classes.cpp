#include "analysis/views/view_classes.h"

#include "analysis/document/document_ids.h"
#include "analysis/module_strings.h"

namespace Rhyth {

namespace {

// By view number.
constexpr ViewClassText kViewClasses[kViewClassCount] = {
    {9, u"Rhyth Report View"},
    {195, u"Rhyth Tachogram View"},
    {196, u"Rhyth Spectrum View"},
    {197, u"Rhyth RR Histogram View"},
    {198, u"Rhyth Delta RR Histogram View"},
    {199, u"Rhyth Classifier View"},
    {200, u"Rhyth Poincare View"},
};

class ViewClass final : public OwlDocViewClassBase {
 public:
  explicit ViewClass(DWORD n)
      : OwlDocViewClassBase(ViewTypeWord(n), ModuleString(kViewClasses[n].titleId),
                            &GUID_TarnViewClassCategory, kViewClassFlags,
                            Quor::String(kViewClasses[n].className)) {
    AddRef();
  }
};

// Constant-initialised: makers set by static construction in other units are never lost.
ViewClassMaker g_makers[kViewClassCount] = {};

}  // namespace

bool SetViewClassMaker(DWORD n, ViewClassMaker make) {
  if (n < kViewClassCount) g_makers[n] = make;
  return true;
}

const ViewClassText* ViewClassTextOf(DWORD n) {
  return n < kViewClassCount ? &kViewClasses[n] : nullptr;
}

OwlDocViewClassBase* NewViewClass(DWORD n) {
  if (n >= kViewClassCount) return nullptr;
  if (g_makers[n]) return g_makers[n]();
  return new ViewClass(n);
}

}  // namespace Rhyth
