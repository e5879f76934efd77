// The scale range dialog: what it shows for a vertical and a horizontal scale, and what an OK
// with typed ends does: ends in the wrong order for a scale that forbids it, text that is not a
// number, and ends the plot's scales take as typed.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/locale_info.h"
#include "hostframework/tests/host_fixture.h"
#include "platform/owl/application.h"
#include "platform/owl/module.h"
#include "platform/win32/message_box.h"
#include "platform/win32/resources.h"
#include "platform/win32/window.h"
#include "plotengine/plot_window/etch_plot_win.h"
#include "plotengine/plot_window/scale_range_dialog.h"
#include "plotengine/tests/fake_plot_document.h"

HMODULE PlotEngineModelTestResources();

namespace {

using Quor::ScaleRange;
using Quor::String;

// A scale whose answers a case chooses; it records the ranges set.
class ScaleRangeTestScale final : public Quor::IScaleProxy {
 public:
  ScaleRangeTestScale(std::int32_t index, std::int32_t flags) : m_index(index), m_flags(flags) {}
  double GetLowestAllowed() override { return -1000; }
  double GetHighestAllowed() override { return 1000; }
  double GetMin() override { return min; }
  double GetMax() override { return max; }
  std::int32_t GetIndex() override { return m_index; }
  String GetUnitText() override { return u"ms"; }
  std::int32_t GetFlags() override { return m_flags; }
  bool ValidateRange(double, double, String&) override { return true; }
  void SetRange(double high, double low) override { set.push_back({high, low}); }
  void Invert() override {}

  double min = -2.5, max = 7.25;
  std::vector<std::pair<double, double>> set;  // high, low

 private:
  std::int32_t m_index;
  std::int32_t m_flags;
};

class ScaleRangeDialogTest : public HostFrameworkTest {
 protected:
  void SetUp() override {
    HostFrameworkTest::SetUp();
    win32::SetExecutableModule(PlotEngineModelTestResources());
    Quor::LocaleInfo::Instance();  // may tell of the machine's locale once
    win32::ClearShownMessageBoxes();
    win32::ClearQueuedMessageBoxAnswers();
  }
  void TearDown() override {
    win32::ClearQueuedMessageBoxAnswers();
    win32::ClearShownMessageBoxes();
    win32::SetExecutableModule(nullptr);
    HostFrameworkTest::TearDown();
  }

  static const char16_t* TemplateOf(const Quor::IScaleProxy& scale) {
    return const_cast<Quor::IScaleProxy&>(scale).GetIndex() == 0 ? u"SCALERANGE_HORIZ" : u"SCALERANGE";
  }
  // Runs the dialog for `scale`, answered with OK and `lines`.
  int RunWithOk(Quor::IScaleProxy& scale, std::vector<std::u16string> lines) {
    win32::QueueModalDialogAnswer(IDOK, std::move(lines));
    ScaleRange dialog(nullptr, TemplateOf(scale), &module);
    dialog.SetScale(&scale);
    return dialog.Execute();
  }
  std::vector<std::u16string> MessageTexts() {
    std::vector<std::u16string> texts;
    for (const auto& box : win32::ShownMessageBoxes()) texts.push_back(box.text);
    return texts;
  }

  OWL::TModule module{u"rhyth", PlotEngineModelTestResources(), false};
};

std::u16string ControlText(HWND dialog, int id) {
  char16_t text[128] = {};
  GetWindowTextW(GetDlgItem(dialog, id), text, 128);
  return text;
}

TEST_F(ScaleRangeDialogTest, ItShowsTheEndsLabelsAndUnitsOfItsScale) {
  struct Case {
    std::int32_t index;
    const char16_t* high;
    const char16_t* low;
  };
  for (const Case& c : {Case{1, u"&Top:", u"&Bottom:"}, Case{0, u"&Right:", u"&Left:"}}) {
    SCOPED_TRACE(c.index);
    ScaleRangeTestScale scale(c.index, 0);
    ScaleRange dialog(nullptr, TemplateOf(scale), &module);
    dialog.SetScale(&scale);
    ASSERT_TRUE(dialog.Create());
    const HWND window = dialog.GetHandle();
    EXPECT_EQ(ControlText(window, ScaleRange::kHighEdit), u"7.25");
    EXPECT_EQ(ControlText(window, ScaleRange::kLowEdit), u"-2.5");
    EXPECT_EQ(ControlText(window, ScaleRange::kHighLabel), c.high);
    EXPECT_EQ(ControlText(window, ScaleRange::kLowLabel), c.low);
    EXPECT_EQ(ControlText(window, ScaleRange::kHighUnit), u"ms");
    EXPECT_EQ(ControlText(window, ScaleRange::kLowUnit), u"ms");
  }
}

TEST_F(ScaleRangeDialogTest, AnOkChecksTheTypedEndsBeforeSettingThem) {
  struct Case {
    const char* name;
    std::int32_t index;
    std::int32_t flags;
    std::vector<std::u16string> lines;
    int result;
    std::vector<std::pair<double, double>> set;
    std::u16string message;  // empty: none shown
  };
  const std::u16string rangeText = u"The value must lie between -1000 and 1000.";
  const Case cases[] = {
      {"vertical, low above high", 1, 0x400, {u"Top=1", u"Bottom=5"}, IDCANCEL, {},
       u"This scale requires that Top be greater than Bottom."},
      {"horizontal, low above high", 0, 0x400, {u"Right=1", u"Left=5"}, IDCANCEL, {},
       u"This scale requires that Right be greater than Left."},
      {"no order asked: as typed", 1, 0, {u"Top=1", u"Bottom=5"}, IDOK, {{1, 5}}, u""},
      {"equal ends pass the order", 1, 0x400, {u"Top=3", u"Bottom=3"}, IDOK, {{3, 3}}, u""},
      {"ends in order", 0, 0x400, {u"Right=8", u"Left=2"}, IDOK, {{8, 2}}, u""},
      {"an empty end", 1, 0, {u"Top="}, IDCANCEL, {}, rangeText},
      {"a lone minus", 1, 0, {u"Bottom=-"}, IDCANCEL, {}, rangeText},
      {"beyond the edit's range", 1, 0, {u"Top=5000"}, IDCANCEL, {}, rangeText},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    win32::ClearShownMessageBoxes();
    ScaleRangeTestScale scale(c.index, c.flags);
    EXPECT_EQ(RunWithOk(scale, c.lines), c.result);
    EXPECT_EQ(scale.set, c.set);
    const std::vector<std::u16string> expected =
        c.message.empty() ? std::vector<std::u16string>{} : std::vector<std::u16string>{c.message};
    EXPECT_EQ(MessageTexts(), expected);
  }
}

TEST_F(ScaleRangeDialogTest, ItsMessagesAreCaptionedWithTheApplicationsName) {
  OWL::TApplication application;
  application.SetName(u"Pendrel");
  ScaleRangeTestScale scale(1, 0x400);
  RunWithOk(scale, {u"Top=1", u"Bottom=5"});
  const auto boxes = win32::ShownMessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, u"Pendrel");
  // No main window: the box is task modal.
  EXPECT_EQ(boxes[0].style, UINT(MB_TASKMODAL | MB_ICONEXCLAMATION));
}

TEST_F(ScaleRangeDialogTest, CancelAndUnknownEndsChangeNothing) {
  ScaleRangeTestScale scale(1, 0);
  win32::QueueModalDialogAnswer(IDCANCEL, {u"Top=1"});
  ScaleRange dialog(nullptr, u"SCALERANGE", &module);
  dialog.SetScale(&scale);
  EXPECT_EQ(dialog.Execute(), IDCANCEL);
  EXPECT_EQ(RunWithOk(scale, {u"Middle=4"}), IDCANCEL);
  EXPECT_TRUE(scale.set.empty());
  const auto runs = win32::ShownDialogs();
  ASSERT_FALSE(runs.empty());
  EXPECT_EQ(runs.back().name, u"Vertical Scale");
  EXPECT_EQ(runs.back().refusal, u"no end named Middle");
}

// The plot's own scales: high 1 and low 5 reach the document as typed.
TEST_F(ScaleRangeDialogTest, ThePlotsScalesTakeTheEndsAsTyped) {
  plotengine_test::FakePlotDocument document;
  Quor::EtchPlotWin window(&document);
  window.CreatePersistTask(u"rhyth_tachogram_view");
  ASSERT_NE(window.YScale(), nullptr);
  EXPECT_EQ(RunWithOk(*window.YScale(), {u"Top=1", u"Bottom=5"}), IDOK);
  EXPECT_EQ(window.YScale()->GetMax(), 1);
  EXPECT_EQ(window.YScale()->GetMin(), 5);
  ASSERT_EQ(document.ranges.size(), 1u);
  EXPECT_EQ(document.ranges[0].min, 5);
  EXPECT_EQ(document.ranges[0].max, 1);
}

}  // namespace
