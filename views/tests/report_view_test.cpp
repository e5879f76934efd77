// The report view without a browser: the page it builds for what the analysis holds, texts of
// the host escaped, notices that rebuild it, the host's size query, print without a browser, and
// the page on the clipboard as Unicode text and as "HTML Format", also with the clipboard busy.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>

#include "analysis/module_strings.h"
#include "host/recording/synthetic_ecg.h"
#include "platform/pendrel/host_events.h"
#include "platform/win32/clipboard.h"
#include "platform/win32/global_memory.h"
#include "platform/win32/printing.h"
#include "views/report/html_clipboard.h"
#include "views/report/report_page.h"
#include "views/report/report_view_class.h"
#include "views/tests/report_checks.h"
#include "views/tests/view_host.h"

namespace ViewsTest {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

class ReportView : public ViewHost {
 protected:
  void TearDown() override {
    win32::SetClipboardBusyForTesting(false);
    win32::ResetClipboardForTesting();
    ViewHost::TearDown();
  }
  // Opens the document over a synthetic heart and analyses it when asked.
  void OpenHeart(const PendrelHost::SyntheticEcgSettings& heart, bool analysed = true) {
    Open(PendrelHost::MakeSyntheticEcg(heart).recording);
    AnalysisDocumentTest::AcceptSyntheticBeats(Settings());
    if (analysed) Analyse();
  }
  Rhyth::ReportView& OpenReport() {
    view = OpenView<Rhyth::ReportDocView>(0);
    return *view->View();
  }
  std::string Page() { return view->View()->Page().ToUtf8String(); }
  DWORD Intervals() { return Analysis().Engine().RRIntervals().GetCount(); }

  Rhyth::ReportDocView* view = nullptr;
};

TEST_F(ReportView, ShowsAMessageUntilThereAreThreeIntervals) {
  struct Case {
    double seconds;
    DWORD intervals;
    UINT message;  // 0: the report
  } cases[] = {{3.6, 2, 12}, {4.6, 3, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.seconds);
    OpenHeart(ShortHeart(c.seconds));
    ASSERT_EQ(Intervals(), c.intervals);
    OpenReport();
    if (c.message) {
      EXPECT_EQ(Page(), Rhyth::ModuleString(c.message).ToUtf8String());
    } else {
      EXPECT_TRUE(Page().starts_with("<!DOCTYPE html>\r\n"));
      EXPECT_THAT(Page(), Not(::testing::ContainsRegex("%[0-9]")));
    }
    CloseView(view);
  }
}

TEST_F(ReportView, BeforeAnyAnalysisSaysSo) {
  OpenHeart(ShortHeart(30.0), false);
  OpenReport();
  EXPECT_EQ(Page(), "The report is unavailable as Rhyth has not been analyzed.");
}

TEST_F(ReportView, ShowsTheAnalysisFiguresAndTheBandsAsSet) {
  OpenHeart(ShortHeart(30.0));
  Data().TimeText().SetName(u"record 7.csv");
  OpenReport();
  const ReportCells cells = ReadReportCells(view->View()->Page());
  EXPECT_EQ(cells.title, "record 7.csv");
  EXPECT_EQ(cells.At("Frequency-Domain", "VLF Band", 0), "0 - 0.04 Hz");
  EXPECT_EQ(cells.At("Frequency-Domain", "LF Band", 0), "0.04 - 0.15 Hz");
  EXPECT_EQ(cells.At("Time-Domain", "pRR50", 0), ExpectedCell(Analysis().Engine().TimeDomain().PRRx(), "%", true));
  EXPECT_EQ(cells.At("Time-Domain", "Average RR", 0),
            ExpectedCell(Analysis().Engine().MeanRR(), "s", false));
  EXPECT_EQ(cells.At("General", "Analysis Start", 0), "Block: 1, 0:00:00.000");
  EXPECT_EQ(cells.At("General", "Total Included Beats", 0),
            std::to_string(Analysis().Engine().NormalCount() + Analysis().Engine().EctopicCount()));
  EXPECT_EQ(cells.At("Frequency-Domain", "Band", 0), "Power(ms\xC2\xB2)");
}

TEST_F(ReportView, ASteadyRhythmHasNoSharesOfPowerRatherThanNaN) {
  PendrelHost::SyntheticEcgSettings steady = ShortHeart(60.0);
  steady.heartRateStd = 0;
  OpenHeart(steady);
  ASSERT_EQ(Analysis().Engine().SpectrumResults().total, 0.0);
  OpenReport();
  const ReportCells cells = ReadReportCells(view->View()->Page());
  EXPECT_EQ(cells.At("Frequency-Domain", "VLF", 1), "n/a");
  EXPECT_EQ(cells.At("Frequency-Domain", "LF", 1), "n/a");
  EXPECT_EQ(cells.At("Frequency-Domain", "LF", 2), "n/a");
  EXPECT_EQ(cells.At("Frequency-Domain", "HF", 2), "n/a");
  EXPECT_EQ(cells.At("Frequency-Domain", "LF/HF", 1), "n/a");
  EXPECT_EQ(cells.At("Frequency-Domain", "Total", 0), "0");
  for (const char* bad : {"nan", "inf", "NaN", "Inf"}) EXPECT_THAT(Page(), Not(HasSubstr(bad)));
}

TEST_F(ReportView, EscapesTheTextsOfTheHost) {
  OpenHeart(ShortHeart(30.0));
  Data().TimeText().SetName(u"<&>\"\u00E9'");
  Data().TimeText().SetPositionText(u"<b>");
  OpenReport();
  EXPECT_THAT(Page(), HasSubstr("<title>&lt;&amp;&gt;&quot;\xC3\xA9&#39;</title>"));
  EXPECT_THAT(Page(), HasSubstr("Block: 1, &lt;b&gt;"));
  EXPECT_THAT(Page(), Not(HasSubstr("<b>")));
  const ReportCells cells = ReadReportCells(view->View()->Page());
  EXPECT_EQ(cells.title, "<&>\"\xC3\xA9'");
  EXPECT_EQ(cells.At("General", "Analysis End", 0), "Block: 1, <b>");
}

TEST_F(ReportView, ATemplateThatDoesNotFitGivesAMessageNotAnException) {
  OpenHeart(ShortHeart(30.0));
  const auto build = [&](const char16_t* text) {
    return Rhyth::ReportPage::Build(Quor::String(text), Settings(), Analysis().Engine(),
                                    [] { return Rhyth::ReportHostTexts{u"<name>", u"a", u"b"}; })
        .ToUtf8String();
  };
  EXPECT_EQ(build(u""), "The report is unavailable as its template is missing.");
  const std::string prefix = "The report is unavailable as its template does not fit the report: ";
  for (const char16_t* text : {u"%1% only", u"%1% %2% %39%", u"100% <b>%1%</b>"}) {
    SCOPED_TRACE(Quor::String(text).ToUtf8String());
    const std::string page = build(text);
    EXPECT_TRUE(page.starts_with(prefix)) << page;
    EXPECT_GT(page.size(), prefix.size());
    EXPECT_THAT(page, Not(HasSubstr("<name>")));
  }
}

TEST_F(ReportView, RebuildsOnTheChangedNoticeAndTheViewNotices) {
  OpenHeart(ShortHeart(30.0));
  OpenReport();
  PendrelHost::HostedView& host = Hosted(view);
  const auto rebuiltBy = [&](DWORD eventId, const char16_t* text) {
    Data().TimeText().SetPositionText(text);
    const DWORD code = 4;
    host.Notify(eventId, &code);
    return Page().find(Quor::String(text).ToUtf8String()) != std::string::npos;
  };
  EXPECT_TRUE(rebuiltBy(Rhyth::AnalysisChangedMsg::Id(), u"after changed"));
  EXPECT_FALSE(rebuiltBy(Rhyth::AnalysisChangingMsg::Id(), u"after changing"));
  EXPECT_TRUE(rebuiltBy(TypeIdClass<&GUID_TarnViewFramework, 2>::Id(), u"after notice 2"));
  EXPECT_TRUE(rebuiltBy(TypeIdClass<&GUID_TarnViewFramework, 8>::Id(), u"after notice 8"));
  // The document's own analysis reaches the view through its notices.
  Data().TimeText().SetPositionText(u"after analysis");
  Analyse();
  EXPECT_THAT(Page(), HasSubstr("after analysis"));
}

TEST_F(ReportView, AnswersTheHostsSizeQueryMessagesAndTitle) {
  OpenHeart(ShortHeart(30.0));
  Rhyth::ReportView& shown = OpenReport();
  PendrelHost::HostedView& host = Hosted(view);
  const PendrelViewSize size = host.PreferredSize();
  EXPECT_EQ(size.width, 300);
  EXPECT_EQ(size.height, 200);
  EXPECT_EQ(host.SendMessage(kHostViewAcknowledgeMsgId), 1);
  // Without a browser nothing is printed, and the message is still answered.
  const std::size_t spooled = win32::SpooledDocuments().size();
  EXPECT_EQ(host.SendMessage(kHostPrintMsgId), 1);
  EXPECT_EQ(win32::SpooledDocuments().size(), spooled);
  EXPECT_EQ(shown.GetCopyCommandText().ToUtf8String(), "Copy Rhyth Report");
  EXPECT_EQ(shown.GetPrintCommandText().ToUtf8String(), "Print Rhyth Report");
  EXPECT_EQ(Quor::String(host.Title()).ToUtf8String(), "Rhyth Report");
}

std::u16string UnicodeTextOnTheClipboard() {
  OpenClipboard(nullptr);
  std::u16string text;
  if (HANDLE block = GetClipboardData(CF_UNICODETEXT)) {
    const auto* units = static_cast<const char16_t*>(GlobalLock(block));
    const SIZE_T count = GlobalSize(block) / sizeof(char16_t);
    text.assign(units, count);
    GlobalUnlock(block);
  }
  CloseClipboard();
  return text;
}

std::string HtmlOnTheClipboard() {
  OpenClipboard(nullptr);
  std::string text;
  if (HANDLE block = GetClipboardData(RegisterClipboardFormatW(u"HTML Format"))) {
    const auto* bytes = static_cast<const char*>(GlobalLock(block));
    text.assign(bytes, std::strlen(bytes) + 1);
    GlobalUnlock(block);
  }
  CloseClipboard();
  return text;
}

TEST_F(ReportView, CopiesThePageAsUnicodeTextAndAsHtml) {
  for (bool analysed : {false, true}) {
    SCOPED_TRACE(analysed);
    win32::ResetClipboardForTesting();
    OpenHeart(ShortHeart(30.0), analysed);
    OpenReport();
    EXPECT_EQ(Hosted(view).SendMessage(kHostCopyMsgId), 1);
    const std::u16string page(view->View()->Page().c_str());
    EXPECT_EQ(UnicodeTextOnTheClipboard(), page + u'\0');
    EXPECT_TRUE(HtmlClipboardHoldsThePage(HtmlOnTheClipboard(), Page()));
    CloseView(view);
  }
}

TEST(ReportClipboard, TheOffsetsNameThePageInUtf8Bytes) {
  struct Case {
    const char* name;
    std::string page;
    std::vector<unsigned> offsets;  // StartHTML, EndHTML, StartFragment, EndFragment
  } cases[] = {
      {"empty", "", {97, 172, 111, 136}},
      {"one character", "x", {97, 173, 111, 137}},
      // é, µ and ² take two bytes, the CJK character three and the clef four.
      {"wide characters", "\xC3\xA9\xC2\xB5\xC2\xB2\xE5\xBF\x83\xF0\x9D\x84\x9E",
       {97, 172 + 13, 111, 136 + 13}},
      {"message", Rhyth::ModuleString(13).ToUtf8String(), {97, 172 + 57, 111, 136 + 57}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<unsigned> offsets;
    EXPECT_TRUE(HtmlClipboardHoldsThePage(Rhyth::HtmlClipboardText(c.page), c.page, &offsets));
    EXPECT_EQ(offsets, c.offsets);
  }
}

TEST_F(ReportView, ABusyClipboardTakesNothingAndTheCopyIsStillAnswered) {
  OpenHeart(ShortHeart(30.0));
  OpenReport();
  win32::SetClipboardBusyForTesting(true);
  EXPECT_EQ(Hosted(view).SendMessage(kHostCopyMsgId), 1);
  win32::SetClipboardBusyForTesting(false);
  EXPECT_EQ(CountClipboardFormats(), 0);
}

}  // namespace
}  // namespace ViewsTest
