#include <gtest/gtest.h>
#include <iostream>
#include "views/plots/plot_view_classes.h"
#include "views/plots/poincare_view_class.h"
#include "views/plots/tachogram_view_class.h"
#include "views/tests/browser/plot_views_in_browser.h"

namespace ViewsTest {
namespace {
class Explore : public PlotViewsInBrowser {};
TEST_F(Explore, Dump) {
  std::vector<Rhyth::RhythViewBase*> v = {&Show<Rhyth::TachogramView>(), &Show<Rhyth::SpectrumView>(),
    &Show<Rhyth::RRHistogramView>(), &Show<Rhyth::DeltaRRHistogramView>(), &Show<Rhyth::ClassifierView>(), &Show<Rhyth::PoincareView>()};
  for (auto* view : v) {
    ShownView& s = Shown(*view);
    std::cout << "TITLE " << view->GetTitle().ToUtf8String() << "\nMARKUP " << s.plot->Window().Markup().ToUtf8String() << "\n";
    DataArea a = AreaOf(s);
    std::cout << "AREA " << a.left << " " << a.top << " " << a.width << " " << a.height << " x " << a.x.min << ".." << a.x.max << " y " << a.y.min << ".." << a.y.max << "\n";
    std::cout << "SCALES " << Ask(s, "var sc = etch.get_plot('local').scales; test.report('sc ' + [sc[etch.kXScale].scaling.to_pixel(" + std::to_string(a.x.min) + "), sc[etch.kXScale].scaling.to_pixel(" + std::to_string(a.x.max) + "), sc[etch.kYScale].scaling.to_pixel(" + std::to_string(a.y.min) + "), sc[etch.kYScale].scaling.to_pixel(" + std::to_string(a.y.max) + ")].join(' '));", "sc ") << "\n";
    std::cout << "PLOTTERS " << Ask(s, "test.report('pl ' + $.map(etch.get_plot('local').plotters, function (p) { return p.id + ':' + p.names; }).join(' | '));", "pl ") << "\n";
  }
  std::cout << "POINTS " << Analysis().Engine().PoincarePoints().GetCount() << "\n";
  for (DWORD i = 0; i < Analysis().Engine().PoincarePoints().GetCount(); ++i) { auto& p = Analysis().Engine().PoincarePoints()[i]; std::cout << p.record << ":" << p.position << " "; }
  std::cout << "\n";
  auto& c = Analysis().Engine().ClassifierPoints();
  for (DWORD i = 0; i < c.GetCount(); ++i) std::cout << c[i].x * 1000 << "," << c[i].y << " ";
  std::cout << "\n";
  auto& rr = Analysis().Engine().RRIntervals();
  for (DWORD i = 0; i < rr.GetCount(); ++i) std::cout << rr[i] << " ";
  std::cout << "\n" << Analysis().Engine().NormalCount() << " " << Analysis().Engine().EctopicCount() << "\n";
}
}
}
