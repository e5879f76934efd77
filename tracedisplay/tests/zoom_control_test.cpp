#include <string>

#include "platform/tests/gui/window_test_support.h"
#include "tracedisplay/scrolling/compression_menu.h"
#include "tracedisplay/tests/data_window_test.h"
#include "tracedisplay/windows/gadget_strip.h"

using namespace PendrelDraw;

namespace {

TEST(CompressionRatioText, ShowsThreeDigitsWithKiloAndTimesForms) {
  const struct {
    LONGLONG numerator, denominator;
    const char16_t* text;
  } cases[] = {{1, 1, u"1:1"},   {1000, 1, u"1k:1"}, {1500, 1, u"1.5k:1"},    {1, 2, u"x2"},
               {1, 3, u"x3"},    {0, 1, u"x?"},      {500000, 1, u"500k:1"}, {20, 1, u"20:1"},
               {1, 10, u"x10"}};
  for (const auto& c : cases)
    EXPECT_EQ(FormatRatio(c.numerator, c.denominator), c.text) << c.numerator << "/" << c.denominator;
}

TEST(CompressionMenuRatio, EachIdStandsForItsNormalisedRatio) {
  const struct {
    int id;
    LONGLONG numerator, denominator;
  } cases[] = {{1130, 1, 10}, {1133, 1, 1}, {1142, 1000, 1}, {1150, 500000, 1}};
  for (const auto& c : cases) {
    const QuorRational ratio = MenuRatio(c.id);
    EXPECT_EQ(ratio.Numerator(), c.numerator) << c.id;
    EXPECT_EQ(ratio.Denominator(), c.denominator) << c.id;
  }
}

class ZoomControlTest : public DataWindowTest {
 protected:
  // The zoom control's gadget's client centre.
  static LPARAM Centre(const OWL::TGadget& gadget) {
    const RECT& bounds = gadget.GetBounds();
    return MAKELPARAM((bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2);
  }
};

TEST_F(ZoomControlTest, TheDroppedMenuListsTheRatiosWithTheCurrentCheckedAndAChoiceAppliesIt) {
  auto window = MakeDataWindow();
  ASSERT_NE(window, nullptr);
  ZoomControlWin* zoom = window->GetPane().Zoom();
  ASSERT_NE(zoom, nullptr);
  EXPECT_EQ(zoom->RatioGadget()->GetText(), u"10:1");

  win32::QueuePopupMenuChoice(1142);
  zoom->HandleMessage(WM_LBUTTONDOWN, MK_LBUTTON, Centre(*zoom->RatioGadget()));
  win32::testing::PumpWaiting();

  const auto shown = win32::ShownPopupMenus();
  ASSERT_EQ(shown.size(), 1u);
  const std::u16string expected[] = {u"x10",  u"x5",   u"x2",   u"1:1",   u"2:1",   u"5:1",   u"10:1",
                                     u"20:1", u"50:1", u"100:1", u"200:1", u"500:1", u"1k:1",  u"2k:1",
                                     u"5k:1", u"10k:1", u"20k:1", u"50k:1", u"100k:1", u"200k:1", u"500k:1"};
  ASSERT_EQ(shown[0].items.size(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    EXPECT_EQ(shown[0].items[i].id, 1130 + i);
    EXPECT_EQ(shown[0].items[i].text, expected[i]);
    EXPECT_EQ((shown[0].items[i].flags & MF_CHECKED) != 0, expected[i] == u"10:1") << i;
  }

  QuorRational compression;
  window->GetPane().GetCompression(&compression);
  EXPECT_EQ(compression.Numerator(), 1000);
  EXPECT_EQ(compression.Denominator(), 1);
  EXPECT_EQ(zoom->RatioGadget()->GetText(), u"1k:1");
}

TEST_F(ZoomControlTest, ShowLatestDataPulsesOnlyWhileSamplingWithoutFollowing) {
  ScrollRecordingPane pane(source.get());
  ZoomControlWin zoom(&host, &pane, ZoomControlWin::kShowLatestData);
  ASSERT_TRUE(zoom.Create());
  ASSERT_NE(zoom.LatestDataGadget(), nullptr);
  const struct {
    bool sampling, following;
    UINT animation;
  } cases[] = {{false, false, 0}, {true, true, 0}, {true, false, 3}, {false, true, 0}};
  for (const auto& c : cases) {
    pane.SetOnline(c.sampling);
    zoom.SetFollowState(c.following);
    EXPECT_EQ(zoom.LatestDataGadget()->GetAnimationState(), c.animation) << c.sampling << c.following;
  }
}

TEST_F(ZoomControlTest, WithoutItsFlagThereIsNoShowLatestDataButtonAndFollowingChangesNothing) {
  ScrollRecordingPane pane(source.get());
  ZoomControlWin zoom(&host, &pane, 0);
  ASSERT_TRUE(zoom.Create());
  EXPECT_EQ(zoom.LatestDataGadget(), nullptr);
  EXPECT_EQ(zoom.Gadgets().size(), 3u);
  pane.SetOnline(true);
  zoom.SetFollowState(false);
  for (const auto& gadget : zoom.Gadgets())
    EXPECT_EQ(static_cast<UxSizableButtonGadget&>(*gadget).GetAnimationState(), 0u);
}

TEST_F(ZoomControlTest, TheAutoScaleHintIsTheOverrideOnceOneIsGiven) {
  ScrollRecordingPane pane(source.get());
  ZoomControlWin zoom(&host, &pane, ZoomControlWin::kAutoScale);
  ASSERT_TRUE(zoom.Create());
  EXPECT_EQ(CommandHint(zoom, ZoomControlWin::kExpand), u"Expand horizontal scaling");
  EXPECT_EQ(CommandHint(zoom, ZoomControlWin::kAutoScaleCommand),
            u"Auto-scale horizontally to fit all traces in overlay");
  zoom.SetAutoScaleHint(u"Fit the detection window");
  EXPECT_EQ(CommandHint(zoom, ZoomControlWin::kAutoScaleCommand), u"Fit the detection window");
}

TEST_F(ZoomControlTest, EveryButtonIsAsTallAsTheRatioButtonWhichFitsTheWidestRatio) {
  auto window = MakeDataWindow();
  ASSERT_NE(window, nullptr);
  ZoomControlWin* zoom = window->GetPane().Zoom();
  ASSERT_NE(zoom, nullptr);
  const int height = zoom->PreferredHeight();
  EXPECT_GT(height, 0);
  int width = 0;
  for (const auto& gadget : zoom->Gadgets()) {
    EXPECT_EQ(gadget->GetBounds().Height(), height);
    EXPECT_EQ(gadget->GetBounds().left, width) << "tiled left to right";
    width += gadget->GetBounds().Width();
  }
  EXPECT_EQ(zoom->Width(), width);
  const int ratioWidth = zoom->RatioGadget()->GetBounds().Width();
  zoom->SetRatioText(u"1:1");
  EXPECT_EQ(zoom->Width(), width) << "a shorter text keeps the ratio button's width";
  EXPECT_GE(zoom->Gadgets().front()->GetBounds().Width(), 16) << "the Compress glyph is loaded";
  EXPECT_GT(ratioWidth, zoom->Gadgets().front()->GetBounds().Width());
}

TEST_F(ZoomControlTest, ExpandAndCompressStepTheCompression) {
  auto window = MakeDataWindow();
  ASSERT_NE(window, nullptr);
  ZoomControlWin* zoom = window->GetPane().Zoom();
  ASSERT_NE(zoom, nullptr);
  zoom->HandleMessage(WM_COMMAND, ZoomControlWin::kExpand);
  EXPECT_EQ(zoom->RatioGadget()->GetText(), u"5:1");
  zoom->HandleMessage(WM_COMMAND, ZoomControlWin::kCompress);
  zoom->HandleMessage(WM_COMMAND, ZoomControlWin::kCompress);
  EXPECT_EQ(zoom->RatioGadget()->GetText(), u"20:1");
}

}  // namespace
