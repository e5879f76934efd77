#include <utility>
#include <vector>

#include "tracedisplay/tests/data_window_test.h"
#include "tracedisplay/windows/gadget_strip.h"
#include "tracedisplay/windows/trace_control_window.h"

using namespace PendrelDraw;

namespace {

class TraceControlTest : public DataWindowTest {
 protected:
  std::unique_ptr<TraceControlWin> MakeControl(DWORD modes) {
    auto control = std::make_unique<TraceControlWin>(
        &host, [this](LONG mode, LONG argument) { modes_asked.emplace_back(mode, argument); }, modes);
    if (!control->Create()) return nullptr;
    return control;
  }
  static void Click(TraceControlWin& control, const OWL::TGadget& button) {
    const RECT& bounds = button.GetBounds();
    const LPARAM centre = MAKELPARAM((bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2);
    control.HandleMessage(WM_LBUTTONDOWN, MK_LBUTTON, centre);
    control.HandleMessage(WM_LBUTTONUP, 0, centre);
  }

  std::vector<std::pair<LONG, LONG>> modes_asked;
};

TEST_F(TraceControlTest, LeavingSourceOnlyReturnsToTheLastStackOrOverlayChoice) {
  using Modes = std::vector<std::pair<LONG, LONG>>;
  const struct {
    UINT first;
    Modes expected;
  } cases[] = {{TraceControlWin::kStack, Modes{{2, 0}, {8, 1}, {8, 2}, {2, 0}}},
               {TraceControlWin::kOverlay, Modes{{4, 0}, {8, 1}, {8, 2}, {4, 0}}}};
  for (const auto& c : cases) {
    modes_asked.clear();
    auto control = MakeControl(0xE);
    ASSERT_NE(control, nullptr);
    Click(*control, c.first == TraceControlWin::kStack ? control->StackButton() : control->OverlayButton());
    Click(*control, control->SourceOnlyButton());
    EXPECT_FALSE(control->StackButton().IsEnabled()) << "stacking waits while the source shows alone";
    EXPECT_FALSE(control->OverlayButton().IsEnabled());
    Click(*control, control->SourceOnlyButton());
    EXPECT_TRUE(control->StackButton().IsEnabled());
    EXPECT_EQ(modes_asked, c.expected) << c.first;
  }
}

TEST_F(TraceControlTest, BeforeAnyChoiceLeavingSourceOnlyOverlays) {
  auto control = MakeControl(0xE);
  ASSERT_NE(control, nullptr);
  Click(*control, control->SourceOnlyButton());
  Click(*control, control->SourceOnlyButton());
  EXPECT_EQ(modes_asked, (std::vector<std::pair<LONG, LONG>>{{8, 1}, {8, 2}, {4, 0}}));
}

TEST_F(TraceControlTest, TheMaskEnablesTheModesItNames) {
  auto control = MakeControl(0x8);
  ASSERT_NE(control, nullptr);
  for (int asked = 0; asked < 2; ++asked) {
    EXPECT_FALSE(control->StackButton().IsEnabled());
    EXPECT_FALSE(control->OverlayButton().IsEnabled());
    EXPECT_TRUE(control->SourceOnlyButton().IsEnabled());
    EnableGadgetCommands(*control);  // the enablers agree with the mask
  }
  control->SetModes(0xE);
  EnableGadgetCommands(*control);
  EXPECT_TRUE(control->StackButton().IsEnabled());
  EXPECT_EQ(CommandHint(*control, TraceControlWin::kStack), u"Autoscale and stack traces");
  EXPECT_EQ(CommandHint(*control, TraceControlWin::kSourceOnly), u"Autoscale and show the source trace only");
}

TEST_F(TraceControlTest, WithoutATargetTheButtonsOnlyGiveTheirHints) {
  TraceControlWin control(&host, nullptr, 0xE);
  ASSERT_TRUE(control.Create());
  control.HandleMessage(WM_COMMAND, TraceControlWin::kStack);
  EXPECT_EQ(CommandHint(control, TraceControlWin::kOverlay), u"Autoscale and overlay traces");
}

}  // namespace
