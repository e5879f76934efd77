// The report view in the real browser: each cell read back from the page's DOM agrees with numpy
// and scipy and with the host's measurement table; the texts of the host show as written and
// the page parses strictly; the browser fills the view; the printed page holds the figures.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "host/recording/synthetic_ecg.h"
#include "platform/pendrel/view_messages.h"
#include "platform/win32/printing.h"
#include "views/tests/browser/report_in_browser.h"

namespace ViewsTest {
namespace {

using ::testing::HasSubstr;

// Two minutes of a heart whose rate varies, as every statistic needs.
PendrelHost::SyntheticEcgSettings VaryingHeart() {
  PendrelHost::SyntheticEcgSettings heart = ShortHeart(120.0);
  heart.heartRateStd = 3.0;
  return heart;
}

class ReportBrowser : public ReportInBrowser {
 protected:
  void OpenHeart(const PendrelHost::SyntheticEcgSettings& heart) {
    Open(PendrelHost::MakeSyntheticEcg(heart).recording);
    AnalysisDocumentTest::AcceptSyntheticBeats(Settings());
    Analyse();
  }
};

TEST_F(ReportBrowser, EachCellInTheDomAgreesWithNumpyAndTheTable) {
  OpenHeart(VaryingHeart());
  OpenReport();
  const ReportCells cells = CellsInTheDom();
  EXPECT_EQ(cells.At("Frequency-Domain", "VLF Band", 0), "0 - 0.04 Hz");
  EXPECT_EQ(cells.At("Time-Domain", "Average RR", 0),
            ExpectedCell(Analysis().Engine().MeanRR(), "s", false));
  if (const std::string why = ReferenceChecksUnavailable(); !why.empty()) GTEST_SKIP() << why;
  EXPECT_TRUE(AgreesWithNumpyAndTheTable(cells));
  EXPECT_TRUE(ParsesStrictly(view->View()->Page().ToUtf8String()));
}

TEST_F(ReportBrowser, TheHostsTextsShowAsWrittenAndThePageParsesStrictly) {
  OpenHeart(VaryingHeart());
  Data().TimeText().SetName(u"<&>\"\u00E9");
  Data().TimeText().SetPositionText(u"<b>");
  OpenReport();
  const ReportCells cells = CellsInTheDom();
  EXPECT_EQ(cells.title, "<&>\"\xC3\xA9");
  EXPECT_EQ(cells.At("General", "Analysis Start", 0), "Block: 1, <b>");
  EXPECT_EQ(cells.At("General", "Analysis End", 0), "Block: 1, <b>");
  TakeReports();
  ASSERT_EQ(Run("test.report(String(document.getElementsByTagName('b').length));"), S_OK);
  EXPECT_THAT(TakeReports(), ::testing::ElementsAre("0"));
  if (const std::string why = ReferenceChecksUnavailable(); !why.empty()) GTEST_SKIP() << why;
  EXPECT_TRUE(ParsesStrictly(view->View()->Page().ToUtf8String()));
}

TEST_F(ReportBrowser, TheBrowserFillsTheView) {
  OpenHeart(VaryingHeart());
  Rhyth::ReportView& report = OpenReport();
  report.MoveWindow(OWL::TRect(0, 0, 320, 240));
  TakeReports();
  ASSERT_EQ(Run("test.report(window.innerWidth + 'x' + window.innerHeight);"), S_OK);
  EXPECT_THAT(TakeReports(), ::testing::ElementsAre("320x240"));
}

std::string PdfText(const std::filesystem::path& pdf) {
  std::string text;
  RunCommand("pdftotext '" + pdf.string() + "' -", text);
  return text;
}

TEST_F(ReportBrowser, PrintsThePageAsShown) {
  OpenHeart(VaryingHeart());
  OpenReport();
  const std::string meanRR = CellsInTheDom().At("Time-Domain", "Average RR", 0);
  const std::vector<std::string> before = win32::SpooledDocuments();
  EXPECT_EQ(Hosted(view).SendMessage(kHostPrintMsgId), 1);
  const std::vector<std::string> after = win32::SpooledDocuments();
  ASSERT_EQ(after.size(), before.size() + 1);
  std::string text = PdfText(after.back());
  std::filesystem::remove(after.back());
  // The section bars are shown in capitals.
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  EXPECT_THAT(text, HasSubstr("time-domain"));
  EXPECT_THAT(text, HasSubstr(meanRR));
}

}  // namespace
}  // namespace ViewsTest
