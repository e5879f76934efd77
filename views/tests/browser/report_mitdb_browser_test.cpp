// The report of the first minute of MIT-BIH record 100 (../shared/data/mitdb-100s) read back
// from the browser's DOM: every cell agrees with numpy and scipy and with the host's table, and
// the whole page parses strictly.
#include <gtest/gtest.h>

#include <filesystem>

#include "host/recording/recording_file.h"
#include "host/tests/signal/beat_matching.h"
#include "views/tests/browser/report_in_browser.h"

namespace ViewsTest {
namespace {

using PendrelHost::Testing::MitBihExcerptFolder;

class MitBihReport : public ReportInBrowser {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(MitBihExcerptFolder()))
      GTEST_SKIP() << MitBihExcerptFolder() << " is absent: the shared test data is not here";
    ReportInBrowser::SetUp();
  }
};

TEST_F(MitBihReport, EachCellAgreesWithNumpyAndTheTableAndThePageParsesStrictly) {
  Open(PendrelHost::LoadRecordingFile(MitBihExcerptFolder() / "100s.csv"));
  // Limits around this rhythm's own mean RR, ectopic beats kept (as the measurement tests).
  Settings().classifier.rrLow = 0.7;
  Settings().classifier.rrHigh = 1.1;
  Settings().analysis.excludeEctopic = 0;
  Analyse();
  OpenReport();
  const ReportCells cells = CellsInTheDom();
  EXPECT_EQ(cells.At("Time-Domain", "pRR50", 0).empty(), false);
  EXPECT_EQ(cells.At("General", "Included Ectopic Beats", 0), "1");
  if (const std::string why = ReferenceChecksUnavailable(); !why.empty()) GTEST_SKIP() << why;
  EXPECT_TRUE(AgreesWithNumpyAndTheTable(cells));
  EXPECT_TRUE(ParsesStrictly(view->View()->Page().ToUtf8String()));
}

}  // namespace
}  // namespace ViewsTest
