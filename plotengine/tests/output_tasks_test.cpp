// The print job and the copy and save tasks against the stand-in host's event manager, a
// browser that records the scripts it is given, the platform's clipboard and its PDF printer:
// each acts on the first answer meant for it and never again, reports done only when its output
// is complete, and fails (with a message in the debug output, the page's call untouched) when
// it is not. Printed pages and copied metafiles are read back by poppler and printemf.
#include <gtest/gtest.h>

#include <unistd.h>

#include <array>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>

#include "controls/gdiplus_starter.h"
#include "core/utf_codec.h"
#include "hostframework/subject.h"
#include "hostframework/tests/host_fixture.h"
#include "platform/win32/clipboard.h"
#include "platform/win32/com_object.h"
#include "platform/win32/debug_output.h"
#include "platform/win32/global_memory.h"
#include "platform/win32/metafile.h"
#include "platform/win32/printing.h"
#include "platform/win32/user_name.h"
#include "platform/win32/window.h"
#include "plotengine/tasks/etch_copy_task_win.h"
#include "plotengine/tasks/etch_save_task_win.h"
#include "plotengine/tasks/printed_plot_box.h"
#include "plotengine/tasks/win_print_job.h"
#include "plotengine/tests/recording_browser.h"
#include "plotengine/tests/plotengine_test_support.h"
#include "plotengine/tests/recording_plot_model.h"
#include "plotengine/tests/svg/svg_test_support.h"

namespace Quor {
namespace {

// A plot of `width` by `height` filled with one colour (#3366cc).
std::string FilledPlot(int width, int height) {
  const std::string w = std::to_string(width), h = std::to_string(height);
  return "<svg width=\"" + w + "\" height=\"" + h + "\"><rect style=\"fill:#3366cc;stroke:none\" x=\"0\" y=\"0\" width=\"" +
         w + "\" height=\"" + h + "\"/></svg>";
}

// The plot model's subject, as the proxy is one.
class PlotSubject final : public TarnSubject {
 public:
  HRESULT QueryInterface(REFIID iid, void** object) override {
    if (iid != IUnknown::iid && iid != ISubject::iid) return E_NOINTERFACE;
    *object = static_cast<ISubject*>(this);
    AddRef();
    return S_OK;
  }
  ULONG AddRef() override { return ++references; }
  ULONG Release() override { return --references; }

  // The page's SetSVG call, as the plot model delivers it; null texts stay null.
  void Answer(const char* plotId, const char* userData, const std::string* svg) {
    const String id = String::FromUtf8(plotId ? plotId : ""), data = String::FromUtf8(userData ? userData : "");
    const String text = svg ? String::FromUtf8(*svg) : String();
    const EtchSvgPayload payload{plotId ? id.c_str() : nullptr, userData ? data.c_str() : nullptr,
                                 svg ? text.c_str() : nullptr};
    EXPECT_EQ(Notify(EtchSetSvgType::Id(), 0, &payload), S_OK);
  }

  ULONG references = 0;
};

class PlotTasks : public HostFrameworkTest {
 protected:
  void SetUp() override {
    HostFrameworkTest::SetUp();
    m_folder = std::filesystem::temp_directory_path() /
               ("rhyth-output-test-" + std::to_string(getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(m_folder);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.lpszClassName = u"PlotOutputTasksWindow";
    RegisterClassExW(&windowClass);
    m_window = CreateWindowExW(0, u"PlotOutputTasksWindow", nullptr, 0, 0, 0, 100, 100, nullptr, nullptr,
                               nullptr, nullptr);
    browser.window = m_window;
    win32::ResetClipboardForTesting();
    win32::SetDebugOutputSink([this](std::u16string_view text) { debugOutput += String(std::u16string(text)).ToUtf8String(); });
  }
  void TearDown() override {
    win32::SetDebugOutputSink(nullptr);
    win32::ResetClipboardForTesting();
    DestroyWindow(m_window);
    std::filesystem::remove_all(m_folder);
    ReleaseGdiplusStarter();
    HostFrameworkTest::TearDown();
  }
  std::string PathOf(const std::string& name) const { return (m_folder / name).string(); }

  // What the clipboard holds in a format, as bytes.
  std::string ClipboardBytes(UINT format) {
    std::string bytes;
    if (!OpenClipboard(nullptr)) return bytes;
    if (format == CF_ENHMETAFILE) {
      const auto metafile = static_cast<HENHMETAFILE>(GetClipboardData(format));
      bytes.resize(metafile ? GetEnhMetaFileBits(metafile, 0, nullptr) : 0);
      if (metafile) GetEnhMetaFileBits(metafile, UINT(bytes.size()), reinterpret_cast<BYTE*>(bytes.data()));
    } else if (const HGLOBAL block = GetClipboardData(format)) {
      bytes.assign(static_cast<const char*>(GlobalLock(block)), GlobalSize(block));
      GlobalUnlock(block);
    }
    CloseClipboard();
    return bytes;
  }

  PlotSubject subject;
  plotengine_test::RecordingBrowser browser;
  std::string debugOutput;
  std::filesystem::path m_folder;

 private:
  HWND m_window = nullptr;
};

// ---- Copy and save -------------------------------------------------------------------------

TEST_F(PlotTasks, ACopyPutsTheMetafileAndTheSvgTextOnTheClipboardOnceOnly) {
  ComPtr<EtchCopyTask> task;
  task.Attach(CreateEtchCopyTask(&browser, "local", &subject));
  ASSERT_TRUE(task);
  EXPECT_EQ(browser.scripts, std::vector<std::string>{"etch.get_plot('local').copy('copy');"});
  const std::string svg = FilledPlot(200, 100);
  subject.Answer("local", "print", &svg);
  EXPECT_FALSE(task->IsDone()) << "a print answer is not the copy's";
  subject.Answer("another plot", "copy", &svg);  // the task hears only its own plot's subject
  EXPECT_TRUE(task->IsDone());
  EXPECT_FALSE(task->IsFailed());
  EXPECT_FALSE(task->IsListening());

  const std::string text = ClipboardBytes(EtchCopyTaskWin::SvgClipboardFormat());
  EXPECT_EQ(text, svg + '\0') << "UTF-8 ending in one zero byte";
  const std::string emf = ClipboardBytes(CF_ENHMETAFILE);
  ASSERT_GT(emf.size(), 88u);
  EXPECT_EQ(emf.substr(40, 4), " EMF") << "an enhanced metafile's header";

  // Later answers (another copy's) leave the clipboard alone.
  win32::ResetClipboardForTesting();
  subject.Answer("local", "copy", &svg);
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_ENHMETAFILE));
}

TEST_F(PlotTasks, ACopyAndASavePendingTogetherBothActOnOneAnswer) {
  const std::string png = PathOf("plot.png");
  ComPtr<EtchCopyTask> copy, save;
  copy.Attach(CreateEtchCopyTask(&browser, "local", &subject));
  save.Attach(CreateEtchSaveTask(&browser, "local", Utf8ToStdWString(png), &subject));
  const std::string svg = FilledPlot(120, 80);
  subject.Answer("local", "copy", &svg);
  EXPECT_TRUE(copy->IsDone());
  EXPECT_TRUE(save->IsDone());
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_ENHMETAFILE));
  const auto bitmap = svg_test::LoadPng(png);
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmap->GetWidth(), 120u) << "the SVG's size";
  EXPECT_EQ(bitmap->GetHeight(), 80u);
}

TEST_F(PlotTasks, ACopyThatCannotCompleteFailsAndKeepsNothingItMade) {
  const std::string plot = FilledPlot(50, 40), notSvg = "<svg width='50' height='40'><path/></svg>";
  struct Case {
    const char* name;
    const std::string* svg;
    bool busy;
    UINT refused;
    bool clipboardKept;  // what was on the clipboard before stays
    const char* message;
  } cases[] = {
      {"no SVG text", nullptr, false, 0, true, "gave no SVG"},
      {"invalid SVG", &notSvg, false, 0, true, "copy failed"},
      {"busy clipboard", &plot, true, 0, true, nullptr},
      {"metafile refused", &plot, false, CF_ENHMETAFILE, false, nullptr},
      {"SVG text refused", &plot, false, EtchCopyTaskWin::SvgClipboardFormat(), false, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    win32::ResetClipboardForTesting();
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    const HGLOBAL earlier = GlobalAlloc(GMEM_MOVEABLE, 4);
    SetClipboardData(CF_TEXT, earlier);
    CloseClipboard();
    const std::size_t metafiles = win32::LiveMetafileCount();
    debugOutput.clear();

    ComPtr<EtchCopyTask> task;
    task.Attach(CreateEtchCopyTask(&browser, "local", &subject));
    win32::SetClipboardBusyForTesting(c.busy);
    win32::RefuseClipboardFormatForTesting(c.refused);
    subject.Answer("local", "copy", c.svg);  // the page's call still succeeds
    win32::SetClipboardBusyForTesting(false);
    win32::RefuseClipboardFormatForTesting(0);

    EXPECT_TRUE(task->IsFailed());
    EXPECT_FALSE(task->IsDone());
    EXPECT_FALSE(task->IsListening());
    EXPECT_EQ(IsClipboardFormatAvailable(CF_TEXT) != FALSE, c.clipboardKept);
    EXPECT_FALSE(IsClipboardFormatAvailable(EtchCopyTaskWin::SvgClipboardFormat()));
    if (c.refused == CF_ENHMETAFILE) {
      EXPECT_EQ(win32::LiveMetafileCount(), metafiles) << "the refused metafile is freed";
    }
    if (c.message) {
      EXPECT_NE(debugOutput.find(c.message), std::string::npos) << debugOutput;
      EXPECT_NE(debugOutput.find("copy failed"), std::string::npos) << debugOutput;
    }
  }
}

TEST_F(PlotTasks, ASaveIsDoneOnlyWithItsFileWrittenAndFailsLeavingNoFile) {
  const std::string plot = FilledPlot(64, 48);
  struct Case {
    std::string name;
    bool written;
  } cases[] = {{"plot.png", true}, {"plot.PNG", true}, {"plot.emf", true}, {"plot.bmpx", false},
               {"no-such-folder/plot.png", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = PathOf(c.name);
    ComPtr<EtchCopyTask> task;
    task.Attach(CreateEtchSaveTask(&browser, "local", Utf8ToStdWString(path), &subject));
    subject.Answer("local", "copy", &plot);
    EXPECT_EQ(task->IsDone(), c.written);
    EXPECT_EQ(task->IsFailed(), !c.written);
    EXPECT_EQ(std::filesystem::exists(path), c.written);
    EXPECT_EQ(std::filesystem::is_empty(m_folder) || c.written, true) << "no partial file";
    std::filesystem::remove(path);
  }
  // A save that fails leaves an existing file as it was.
  const std::string existing = PathOf("kept.png");
  std::ofstream(existing) << "earlier";
  ComPtr<EtchCopyTask> task;
  task.Attach(CreateEtchSaveTask(&browser, "local", Utf8ToStdWString(existing), &subject));
  const std::string broken = "<svg width='64' height='48'><rect x='0'/></svg>";
  subject.Answer("local", "copy", &broken);
  EXPECT_TRUE(task->IsFailed());
  std::ifstream kept(existing);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "earlier");
}

TEST_F(PlotTasks, NoTaskIsMadeForABrowserWithoutAWindow) {
  plotengine_test::RecordingBrowser windowless;
  EXPECT_EQ(CreateEtchCopyTask(&windowless, "local", &subject), nullptr);
  EXPECT_EQ(CreateEtchSaveTask(&windowless, "local", u"/tmp/x.png", &subject), nullptr);
  EXPECT_TRUE(windowless.scripts.empty()) << "nothing asked of the page";
  EXPECT_EQ(CreateEtchCopyTask(nullptr, "local", &subject), nullptr);
}

// ---- Print ---------------------------------------------------------------------------------

TEST(PrintedPlotBox, ThePlotFillsThePrintableAreaOnOneSideKeepingItsShape) {
  struct Case {
    int pageWidth, pageHeight;
    float plotWidth, plotHeight;
    PrintedPlotBox expected;
  } cases[] = {
      {480, 660, 400, 300, {0, 150, 480, 360}},
      {480, 660, 300, 600, {75, 0, 330, 660}},
      {480, 660, 480, 660, {0, 0, 480, 660}},
      {480, 660, 1000, 1, {0, 329, 480, 1}},
  };
  for (const Case& c : cases) {
    const auto box = FitPlotOnPage(c.pageWidth, c.pageHeight, c.plotWidth, c.plotHeight);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->left, c.expected.left) << c.plotWidth << "x" << c.plotHeight;
    EXPECT_EQ(box->top, c.expected.top);
    EXPECT_EQ(box->width, c.expected.width);
    EXPECT_EQ(box->height, c.expected.height);
  }
  EXPECT_FALSE(FitPlotOnPage(480, 660, 400, 0)) << "a plot of height 0 cannot be fitted";
  EXPECT_FALSE(FitPlotOnPage(480, 660, 0, 300));
}

// One word of pdftotext's word boxes, in points.
struct PdfWord {
  std::string text;
  double xMin, yMin, xMax, yMax;
};

std::vector<PdfWord> WordsOf(const std::string& pdf) {
  const std::string html = CommandOutput("pdftotext -bbox '" + pdf + "' -");
  const std::regex word(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
  std::vector<PdfWord> words;
  for (std::sregex_iterator it(html.begin(), html.end(), word), end; it != end; ++it) {
    const std::smatch& m = *it;
    words.push_back({m[5], std::stod(m[1]), std::stod(m[2]), std::stod(m[3]), std::stod(m[4])});
  }
  return words;
}

class PrintJobs : public PlotTasks {
 protected:
  void SetUp() override {
    PlotTasks::SetUp();
    win32::SetSpoolFolder((m_folder / "spool").string());
    win32::ClearShownPrintDialogs();
    // 72 dots per inch, printable area 480 x 660 points.
    win32::PrinterDescription printer;
    printer.dotsPerInch = 72;
    printer.paperWidthMm100 = 16933;
    printer.paperHeightMm100 = 23283;
    win32::SetPrinterForTesting(printer);
    win32::SetUserNameForTesting(u"tester");
  }
  void TearDown() override {
    win32::ResetUserNameForTesting();
    win32::SetPrinterForTesting({});
    win32::ClearShownPrintDialogs();
    PlotTasks::TearDown();
  }
  ComPtr<EtchPrintJob> Print(DWORD answer) {
    win32::QueuePrintDialogAnswer(answer);
    ComPtr<EtchPrintJob> job;
    job.Attach(CreateWinPrintJob(nullptr, &model, "local", &subject, "Tachogram Plot"));
    return job;
  }
  std::vector<std::string> Spooled() const {
    std::vector<std::string> files;
    if (std::filesystem::exists(m_folder / "spool"))
      for (const auto& entry : std::filesystem::directory_iterator(m_folder / "spool")) files.push_back(entry.path());
    return files;
  }
  plotengine_test::RecordingPlotModel model;
};

TEST_F(PrintJobs, CancelSendsNothingAndFinishesTheJob) {
  const auto job = Print(PD_RESULT_CANCEL);
  EXPECT_TRUE(job->IsCancelled());
  EXPECT_TRUE(job->IsFinished());
  EXPECT_TRUE(model.scripts.empty());
  const std::string svg = FilledPlot(400, 300);
  subject.Answer("local", "print", &svg);
  EXPECT_TRUE(Spooled().empty());
  ASSERT_EQ(win32::ShownPrintDialogs().size(), 1u);
  EXPECT_EQ(win32::ShownPrintDialogs()[0].flags, 0x0084000Cu);
}

TEST_F(PrintJobs, APrintedPageHoldsThePlotFittedTheTitleAndTheFooter) {
  if (!CommandsInstalled({"pdfinfo", "pdftoppm", "pdftotext"})) GTEST_SKIP() << "poppler-utils is not installed";
  struct Case {
    int width, height;
    std::array<int, 4> box;  // left, top, right, bottom in points
    std::optional<short> quality;
  } cases[] = {{400, 300, {0, 150, 480, 510}, std::nullopt},
               {300, 600, {75, 0, 405, 660}, std::nullopt},
               // The printer's settings may state a draft code or nothing as the quality: the
               // context's own resolution scales the page.
               {400, 300, {0, 150, 480, 510}, DMRES_HIGH},
               {400, 300, {0, 150, 480, 510}, short(0)}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height) + " quality " +
                 std::to_string(c.quality.value_or(72)));
    std::filesystem::remove_all(m_folder / "spool");
    win32::PrinterDescription printer = win32::CurrentPrinter();
    printer.printQuality = c.quality;
    win32::SetPrinterForTesting(printer);
    model.scripts.clear();
    const auto job = Print(PD_RESULT_PRINT);
    EXPECT_EQ(model.scripts, std::vector<std::string>{"etch.get_plot('local').copy('print');"});
    const std::string svg = FilledPlot(c.width, c.height);
    subject.Answer("local", "copy", &svg);
    subject.Answer("other", "print", &svg);
    EXPECT_FALSE(job->IsFinished()) << "answers for a copy or another plot print nothing";
    subject.Answer("local", "print", &svg);
    EXPECT_TRUE(job->IsDone());
    EXPECT_FALSE(job->IsFailed());
    EXPECT_EQ(job->PrinterName(), win32::CurrentPrinter().name);
    EXPECT_EQ(job->Copies(), 1);

    const auto files = Spooled();
    ASSERT_EQ(files.size(), 1u);
    const std::string info = CommandOutput("pdfinfo '" + files[0] + "'");
    EXPECT_TRUE(std::regex_search(info, std::regex(R"(Pages:\s+1\n)"))) << info;
    EXPECT_NE(info.find("480 x 660 pts"), std::string::npos) << info;
    CommandOutput("pdftoppm -r 72 -png -singlefile '" + files[0] + "' '" + PathOf("page") + "'");
    const auto box = svg_test::MatchingBox(PathOf("page.png"), [](Gdiplus::ARGB c) { return (c & 0xFFFFFF) == 0x3366CC; });
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(box[i], c.box[i], 1) << "side " << i;

    const std::vector<PdfWord> words = WordsOf(files[0]);
    ASSERT_GE(words.size(), 10u);
    EXPECT_EQ(words[0].text, "Tachogram");
    EXPECT_NEAR((words[0].xMin + words[1].xMax) / 2, 240, 2) << "the title is centred";
    EXPECT_NEAR(words[0].yMin, 660 * 0.02, 2) << "its top at 2%";
    const auto printed = std::find_if(words.begin(), words.end(), [](const PdfWord& w) { return w.text == "Printed"; });
    ASSERT_NE(printed, words.end());
    EXPECT_NEAR(printed->xMin, 480 * 0.02, 1.5);
    EXPECT_NEAR(printed->yMax, 660 * 0.98, 2);
    const auto page = std::find_if(words.begin(), words.end(), [](const PdfWord& w) { return w.text == "Page"; });
    ASSERT_NE(page, words.end());
    ASSERT_EQ(words.end() - page, 4) << "Page 1 of 1 ends the page";
    EXPECT_EQ(page[1].text + page[2].text + page[3].text, "1of1");
    EXPECT_NEAR(page[3].xMax, 480 * 0.98, 1.5) << "the page number ends at the margin";
    EXPECT_EQ(page[-1].text, "tester");
    EXPECT_EQ(page[-2].text, "for");
  }
}

TEST_F(PrintJobs, WithoutAUserNameTheFooterEndsAfterFor) {
  if (!CommandsInstalled({"pdftotext"})) GTEST_SKIP() << "poppler-utils is not installed";
  win32::SetUserNameForTesting(std::nullopt);
  const auto job = Print(PD_RESULT_PRINT);
  const std::string svg = FilledPlot(400, 300);
  subject.Answer("local", "print", &svg);
  ASSERT_TRUE(job->IsDone());
  const std::string text = CommandOutput("pdftotext -layout '" + Spooled().at(0) + "' -");
  EXPECT_TRUE(std::regex_search(text, std::regex(R"(Printed on \S+ \S+( [AP]M)? for +Page 1 of 1)"))) << text;
}

TEST_F(PrintJobs, AFailedStepOrAPlotWithoutHeightFailsTheJobAndLeavesNoDocument) {
  struct Case {
    const char* name;
    std::optional<win32::PrintStep> step;
    int height;
  } cases[] = {{"StartDoc", win32::PrintStep::StartDoc, 300},
               {"StartPage", win32::PrintStep::StartPage, 300},
               {"EndPage", win32::PrintStep::EndPage, 300},
               {"EndDoc", win32::PrintStep::EndDoc, 300},
               {"height 0", std::nullopt, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    debugOutput.clear();
    const auto job = Print(PD_RESULT_PRINT);
    if (c.step) win32::FailNextPrintStepForTesting(*c.step);
    const std::string svg = FilledPlot(400, c.height);
    subject.Answer("local", "print", &svg);
    EXPECT_TRUE(job->IsFailed());
    EXPECT_TRUE(job->IsFinished());
    EXPECT_FALSE(job->IsListening());
    EXPECT_TRUE(Spooled().empty()) << "no partial PDF";
    EXPECT_NE(debugOutput.find("print failed"), std::string::npos) << debugOutput;
  }
}

}  // namespace
}  // namespace Quor
