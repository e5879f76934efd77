// The data document's store of plot scale ranges: what a plot stores comes back by plot id and
// axis, and a range no scale can show is refused and leaves what was stored.
#include "host/tests/document/document_test_support.h"

#include <cmath>
#include <limits>

#include "host/document/data_document.h"
#include "host/tests/document/test_recordings.h"

namespace DocumentTest {
namespace {

using PlotRangeStores = HostTest;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST_F(PlotRangeStores, KeepFiniteRangesByPlotAndAxisAndRefuseOthers) {
  auto document = PendrelHost::OpenDocument(SmallRecording());
  auto store = Face<IPendrelPlotRangeStore>(document.get());
  const Quor::String plot(u"tachogram");
  IQuorString* id = plot.GetInterface();
  double min = 7, max = 7;
  EXPECT_EQ(store->GetPlotRange(id, kPlotAxisX, &min, &max), S_FALSE);
  EXPECT_EQ(min, 0.0);
  EXPECT_EQ(max, 0.0);
  EXPECT_EQ(store->SetPlotRange(id, kPlotAxisX, 600, 1200), S_OK);

  struct Case {
    DWORD axis;
    double min, max;
  } refused[] = {{kPlotAxisX, kNaN, 1}, {kPlotAxisX, 0, kInf}, {kPlotAxisX, -kInf, 0}, {2, 0, 1}};
  for (const Case& c : refused) {
    EXPECT_EQ(store->SetPlotRange(id, c.axis, c.min, c.max), E_INVALIDARG) << c.min << " " << c.max;
  }
  EXPECT_EQ(store->GetPlotRange(id, kPlotAxisX, &min, &max), S_OK);
  EXPECT_EQ(min, 600.0);
  EXPECT_EQ(max, 1200.0);
  EXPECT_EQ(store->GetPlotRange(id, kPlotAxisY, &min, &max), S_FALSE);
  id->Release();
}

}  // namespace
}  // namespace DocumentTest
