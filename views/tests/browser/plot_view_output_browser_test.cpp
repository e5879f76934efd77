// Each plot view copied and printed as the host asks it to, through the real plot window: the
// clipboard then holds the picture in both of its formats, and the printer one page titled
// with the view's title.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <regex>

#include "platform/pendrel/view_messages.h"
#include "platform/win32/clipboard.h"
#include "platform/win32/printing.h"
#include "plotengine/tasks/etch_copy_task_win.h"
#include "views/tests/browser/plot_views_in_browser.h"

namespace ViewsTest {
namespace {

// What a command prints to its standard output.
std::string OutputOf(const std::string& command) {
  std::string text;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, n);
    pclose(pipe);
  }
  return text;
}

class PlotViewOutput : public PlotViewsInBrowser {
 protected:
  void SetUp() override {
    PlotViewsInBrowser::SetUp();
    folder =
        std::filesystem::temp_directory_path() / ("rhyth-view-output-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    win32::SetSpoolFolder((folder / "spool").string());
    win32::ResetClipboardForTesting();
  }
  void TearDown() override {
    PlotViewsInBrowser::TearDown();
    win32::ResetClipboardForTesting();
    std::filesystem::remove_all(folder);
  }
  // Lets the page go on until `done` holds or long enough.
  template <class Done>
  bool Await(ShownView& shown, Done done) {
    for (int round = 0; round < 5000 && !done(); ++round) Run(shown, "0");
    return done();
  }

  std::filesystem::path folder;
};

TEST_F(PlotViewOutput, EachViewCopiesBothFormatsAndPrintsOnePageWithItsTitle) {
  if (OutputOf("command -v pdfinfo pdftotext").empty())
    GTEST_SKIP() << "poppler-utils is not installed";
  ShowAll();
  for (ShownView& shown : shownViews) {
    const std::string title = shown.view->GetTitle().ToUtf8String();
    SCOPED_TRACE(title);
    win32::ResetClipboardForTesting();
    EXPECT_EQ(Hosted(shown.wrapper).SendMessage(kHostCopyMsgId), 1);
    const auto bothFormats = [] {
      return IsClipboardFormatAvailable(CF_ENHMETAFILE) &&
             IsClipboardFormatAvailable(Quor::EtchCopyTaskWin::SvgClipboardFormat());
    };
    EXPECT_TRUE(Await(shown, bothFormats));

    const std::size_t printed = win32::SpooledDocuments().size();
    win32::QueuePrintDialogAnswer(PD_RESULT_PRINT);
    EXPECT_EQ(Hosted(shown.wrapper).SendMessage(kHostPrintMsgId), 1);
    ASSERT_TRUE(Await(shown, [&] { return win32::SpooledDocuments().size() > printed; }));
    EXPECT_EQ(shown.plot->TakeLog(), (Log{"Copy", "Print(" + title + ")"}));
    const std::string pdf = win32::SpooledDocuments().back();
    const std::string info = OutputOf("pdfinfo '" + pdf + "'");
    EXPECT_TRUE(std::regex_search(info, std::regex(R"(Pages:\s+1\n)"))) << info;
    const std::string page = OutputOf("pdftotext -layout '" + pdf + "' -");
    EXPECT_NE(page.find(title), std::string::npos) << page;
  }
}

}  // namespace
}  // namespace ViewsTest
