// A plot leaving the module through the real plot window in the real browser: printed on the
// platform's PDF printer, copied to the clipboard and saved as image files, each read back by a
// tool of its own (poppler, xmllint, printemf, emf2svg-conv with rsvg-convert). The window keeps
// a task only until it has finished.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <regex>

#include "core/utf_codec.h"
#include "platform/win32/clipboard.h"
#include "platform/win32/global_memory.h"
#include "platform/win32/metafile.h"
#include "platform/win32/printing.h"
#include "platform/win32/user_name.h"
#include "plotengine/plot_window/etch_plot_win.h"
#include "plotengine/svg/render_plot_svg.h"
#include "plotengine/tasks/etch_copy_task_win.h"
#include "plotengine/tests/browser/plot_script_fixture.h"
#include "plotengine/tests/plotengine_test_support.h"
#include "plotengine/tests/svg/svg_test_support.h"

namespace Quor {
namespace {

// The plot's background (#ff9900), which the printed page and the images are searched for.
bool IsOrange(Gdiplus::ARGB colour) {
  const int r = int(colour >> 16 & 0xFF), g = int(colour >> 8 & 0xFF), b = int(colour & 0xFF);
  return std::abs(r - 255) < 24 && std::abs(g - 153) < 24 && b < 24;
}

// Left, top, right and bottom of the orange pixels of a PNG.
std::array<int, 4> OrangeBox(const std::string& png) { return svg_test::MatchingBox(png, IsOrange); }

class PlotOutputInBrowser : public PlotScriptsInBrowser {
 protected:
  void SetUp() override {
    PlotScriptsInBrowser::SetUp();
    m_folder = std::filesystem::temp_directory_path() / ("rhyth-plot-output-" + std::to_string(getpid()));
    std::filesystem::create_directories(m_folder);
    win32::ResetClipboardForTesting();
    window = std::make_unique<EtchPlotWin>(nullptr);
    ASSERT_TRUE(window->Create(parent, RECT{0, 0, 640, 480}));
    page = window->Browser();
    ASSERT_EQ(page->RegisterScriptObject(reporter), S_OK);
    const std::string markup =
        "background: #ff9900ff, xscalemin: 0, xscalemax: 10, yscalemin: 0, yscalemax: 10, "
        "tplot: {ydata: [1, 5, 3, 8, 2], colour: #0000c8ff, width: 2}";
    ASSERT_TRUE(window->SetMarkup(String::FromUtf8(markup)));
    WaitForPaint();
  }
  void TearDown() override {
    page = nullptr;
    window.reset();
    win32::ResetClipboardForTesting();
    std::filesystem::remove_all(m_folder);
    PlotScriptsInBrowser::TearDown();
  }
  std::string PathOf(const std::string& name) const { return (m_folder / name).string(); }

  // Lets the page go on until the request has finished (or the page is gone).
  template <class Request>
  bool Await(const Request& request) {
    for (int round = 0; round < 5000 && !request.IsDone() && !request.IsFailed(); ++round)
      if (!window->RunScript(String(u"0"))) return false;
    return request.IsDone() || request.IsFailed();
  }

  std::string ClipboardText() {
    std::string bytes;
    if (!OpenClipboard(nullptr)) return bytes;
    if (const HGLOBAL block = GetClipboardData(EtchCopyTaskWin::SvgClipboardFormat())) {
      bytes.assign(static_cast<const char*>(GlobalLock(block)), GlobalSize(block));
      GlobalUnlock(block);
    }
    CloseClipboard();
    return bytes;
  }

  // The clipboard's metafile written into a file.
  bool SaveClipboardMetafile(const std::string& path) {
    if (!OpenClipboard(nullptr)) return false;
    const auto metafile = static_cast<HENHMETAFILE>(GetClipboardData(CF_ENHMETAFILE));
    std::string bytes(metafile ? GetEnhMetaFileBits(metafile, 0, nullptr) : 0, '\0');
    if (metafile) GetEnhMetaFileBits(metafile, UINT(bytes.size()), reinterpret_cast<BYTE*>(bytes.data()));
    CloseClipboard();
    std::ofstream(path, std::ios::binary) << bytes;
    return !bytes.empty();
  }

  std::unique_ptr<EtchPlotWin> window;
  std::filesystem::path m_folder;
};

TEST_F(PlotOutputInBrowser, PrintPutsThePlotFittedOnOnePageWithItsTitleAndFooter) {
  if (!CommandsInstalled({"pdfinfo", "pdftoppm", "pdftotext"})) GTEST_SKIP() << "poppler-utils is not installed";
  win32::SetSpoolFolder(PathOf("spool"));
  win32::ClearShownPrintDialogs();
  win32::PrinterDescription printer;
  printer.dotsPerInch = 72;
  printer.paperWidthMm100 = 16933;  // 480 points
  printer.paperHeightMm100 = 23283;  // 660 points
  win32::SetPrinterForTesting(printer);
  win32::SetUserNameForTesting(u"tester");

  ComPtr<EtchPrintJob> cancelled;
  cancelled.Attach(window->Print(String(u"Tachogram Plot")));
  EXPECT_TRUE(cancelled->IsFinished());
  EXPECT_FALSE(cancelled->IsListening()) << "nothing is asked of the page";

  win32::QueuePrintDialogAnswer(PD_RESULT_PRINT);
  ComPtr<EtchPrintJob> job;
  job.Attach(window->Print(String(u"Tachogram Plot")));
  EXPECT_EQ(window->OutputTasks().PrintJobCount(), 1u) << "the cancelled job was dropped";
  ASSERT_TRUE(Await(*job.Get()));
  EXPECT_TRUE(job->IsDone());
  win32::ResetUserNameForTesting();
  win32::SetPrinterForTesting({});

  const auto spooled = win32::SpooledDocuments();
  ASSERT_FALSE(spooled.empty());
  const std::string pdf = spooled.back();
  const std::string info = CommandOutput("pdfinfo '" + pdf + "'");
  EXPECT_NE(info.find("480 x 660 pts"), std::string::npos) << info;
  EXPECT_TRUE(std::regex_search(info, std::regex(R"(Pages:\s+1\n)"))) << info;
  // The 640 x 480 plot is drawn 480 x 360, at top 150.
  CommandOutput("pdftoppm -r 72 -png -singlefile '" + pdf + "' '" + PathOf("page") + "'");
  const auto box = OrangeBox(PathOf("page.png"));
  const std::array<int, 4> expected{0, 150, 480, 510};
  for (int side = 0; side < 4; ++side) EXPECT_NEAR(box[side], expected[side], 2) << "side " << side;
  const std::string text = CommandOutput("pdftotext -layout '" + pdf + "' -");
  EXPECT_NE(text.find("Tachogram Plot"), std::string::npos) << text;
  EXPECT_NE(text.find("for tester"), std::string::npos) << text;
  EXPECT_NE(text.find("Page 1 of 1"), std::string::npos) << text;
}

TEST_F(PlotOutputInBrowser, CopyFillsTheClipboardWithAMetafileAndSvgTextThatToolsRead) {
  ComPtr<EtchCopyTask> task;
  task.Attach(window->Copy());
  ASSERT_TRUE(task);
  ASSERT_TRUE(Await(*task.Get()));
  ASSERT_TRUE(task->IsDone());
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_ENHMETAFILE));

  const std::string svg = ClipboardText();
  ASSERT_FALSE(svg.empty());
  EXPECT_EQ(svg.back(), '\0');
  EXPECT_EQ(svg.find('\0'), svg.size() - 1) << "one zero byte, at the end";
  std::ofstream(PathOf("copy.svg"), std::ios::binary) << svg.substr(0, svg.size() - 1);
  if (CommandsInstalled({"xmllint"})) {
    EXPECT_EQ(std::system(("xmllint --noout '" + PathOf("copy.svg") + "'").c_str()), 0);
  }

  ASSERT_TRUE(SaveClipboardMetafile(PathOf("copy.emf")));
  if (!CommandsInstalled({"printemf", "emf2svg-conv", "rsvg-convert"}))
    GTEST_SKIP() << "printemf, emf2svg-conv (emf2svg) or rsvg-convert (librsvg2-bin) is not installed";
  const std::string listing = CommandOutput("printemf '" + PathOf("copy.emf") + "' 2>&1");
  for (const char* record : {"*HEADER*", "*POLYGON*", "*EOF*"})
    EXPECT_NE(listing.find(record), std::string::npos) << record << " in\n" << listing.substr(0, 2000);
  // The converter's picture of the metafile looks like our own picture of the SVG.
  ASSERT_EQ(std::system(("emf2svg-conv -i '" + PathOf("copy.emf") + "' -o '" + PathOf("emf.svg") +
                         "' && rsvg-convert -b white '" + PathOf("emf.svg") + "' -o '" + PathOf("emf.png") + "'")
                            .c_str()),
            0);
  RenderPlotSvg(svg.substr(0, svg.size() - 1), "", Utf8ToStdWString(PathOf("ours.png")));
  const auto theirs = svg_test::LoadPng(PathOf("emf.png")), ours = svg_test::LoadPng(PathOf("ours.png"));
  ASSERT_NE(theirs, nullptr);
  ASSERT_NE(ours, nullptr);
  EXPECT_NEAR(int(theirs->GetWidth()), 640, 2);
  EXPECT_NEAR(int(theirs->GetHeight()), 480, 2);
  int same = 0, compared = 0;
  for (int y = 2; y < 478; y += 4)
    for (int x = 2; x < 638; x += 4, ++compared)
      if (IsOrange(svg_test::PixelAt(*theirs, x, y)) == IsOrange(svg_test::PixelAt(*ours, x, y))) ++same;
  EXPECT_GT(double(same) / compared, 0.98) << same << " of " << compared;
}

TEST_F(PlotOutputInBrowser, TheWindowDropsDoneAndFailedCopiesAndABusyClipboardStaysAsItWas) {
  ComPtr<EtchCopyTask> first;
  first.Attach(window->Copy());
  ASSERT_TRUE(Await(*first.Get()));
  EXPECT_TRUE(first->IsDone());

  // A busy clipboard: the copy fails and whatever the clipboard held stays.
  win32::SetClipboardBusyForTesting(true);
  ComPtr<EtchCopyTask> busy;
  busy.Attach(window->Copy());
  EXPECT_EQ(window->OutputTasks().CopyTaskCount(), 1u) << "the done copy was dropped";
  ASSERT_TRUE(Await(*busy.Get()));
  win32::SetClipboardBusyForTesting(false);
  EXPECT_TRUE(busy->IsFailed());
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_ENHMETAFILE));

  // An answer meant for a print is no copy's, and a finished copy never runs again.
  win32::ResetClipboardForTesting();
  ASSERT_TRUE(window->RunScript(String(u"etch.get_plot('local').copy('print');")));
  ASSERT_TRUE(window->RunScript(String(u"etch.get_plot('local').copy('copy');")));
  for (int round = 0; round < 50; ++round) window->RunScript(String(u"0"));
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_ENHMETAFILE));

  ComPtr<EtchCopyTask> last;
  last.Attach(window->Copy());
  EXPECT_EQ(window->OutputTasks().CopyTaskCount(), 1u) << "the failed copy was dropped";
  ASSERT_TRUE(Await(*last.Get()));
  EXPECT_TRUE(last->IsDone());
}

TEST_F(PlotOutputInBrowser, SaveImageWritesTheTypeItsExtensionNamesAndNothingElse) {
  std::ofstream(PathOf("kept.txt")) << "earlier";
  struct Case {
    std::string name;
    bool written;
  } cases[] = {{"plot.png", true}, {"plot.PNG", true}, {"plot.emf", true}, {"kept.txt", false},
               {"missing/plot.png", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    window->SaveImage(String::FromUtf8(PathOf(c.name)));
    // The page answers on its own time: let it go on until the file is there or long enough.
    for (int round = 0; round < 200 && !std::filesystem::exists(PathOf(c.name)); ++round) window->RunScript(String(u"0"));
    for (int round = 0; round < 20; ++round) window->RunScript(String(u"0"));
    EXPECT_EQ(std::filesystem::exists(PathOf(c.name)), c.written || c.name == "kept.txt");
  }
  const auto png = svg_test::LoadPng(PathOf("plot.png"));
  ASSERT_NE(png, nullptr);
  EXPECT_EQ(png->GetWidth(), 640u) << "the SVG's size";
  EXPECT_EQ(png->GetHeight(), 480u);
  EXPECT_NE(OrangeBox(PathOf("plot.PNG"))[2], -1) << "the upper-case PNG holds the plot";
  std::ifstream kept(PathOf("kept.txt"));
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "earlier") << "an unknown type writes nothing";
  EXPECT_FALSE(std::filesystem::exists(PathOf("missing")));
}

}  // namespace
}  // namespace Quor
