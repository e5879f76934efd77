// The channel calculation's dialog in scripted sessions: what it opens on, what a choice does to
// the guide-lines box, what OK and Cancel hand back to the calculation, refusing OK without a
// measure, and its help.
#include "views/dialogs/calc_dialog.h"

#include <gtest/gtest.h>

#include "analysis/calc/channel_calc_class.h"
#include "analysis/tests/document/analysis_host.h"
#include "host/app/host_application.h"
#include "host/calc/channel_calculations.h"
#include "platform/win32/message_box.h"

namespace CalcDialogTest {
namespace {

using Rhyth::ChannelCalcSettings;

Quor::ComPtr<ChannelCalcSettings> NewCalcSettings(LONG mode, bool first, bool interpolate) {
  Quor::ComPtr<ChannelCalcSettings> settings;
  settings.Attach(new ChannelCalcSettings);
  settings->mode = mode;
  settings->first = first;
  settings->interpolate = interpolate;
  return settings;
}

class CalculationDialog : public AnalysisDocumentTest::AnalysisHost {
 protected:
  // A dialog over `settings` with its window made, as it stands while it runs.
  std::unique_ptr<Rhyth::Dialog> Shown(ChannelCalcSettings* settings) {
    auto dialog = std::make_unique<Rhyth::Dialog>(nullptr, 0, settings);
    EXPECT_TRUE(dialog->HasTemplate());
    EXPECT_TRUE(dialog->Create());
    return dialog;
  }
  static std::u16string Selected(Rhyth::Dialog& dialog) {
    return dialog.Parameter().GetString(dialog.Parameter().GetSelIndex());
  }

  // The calculation's settings operation, the dialog answered with `answer` and `lines`: the
  // settings handed back, or null.
  Quor::ComPtr<ChannelCalcSettings> Edit(ChannelCalcSettings* current, int answer,
                                         std::vector<std::u16string> lines, HRESULT expected) {
    win32::QueueModalDialogAnswer(answer, std::move(lines));
    IUnknown* edited = nullptr;
    EXPECT_EQ(Rhyth::TheChannelCalcClass().EditSettings(nullptr, 0, 0, current, &edited), expected);
    Quor::ComPtr<ChannelCalcSettings> result(ChannelCalcSettings::From(edited));
    if (edited) edited->Release();
    return result;
  }
};

TEST_F(CalculationDialog, OpensOnTheStoredMeasureAndItsBox) {
  const struct {
    LONG mode;
    bool first;
    const char16_t* selected;  // null: none
    bool boxEnabled;
  } cases[] = {
      {5, true, u"Beat Complexity", true},
      {0, false, u"Beat Period", true},
      {1, true, u"Change in Beat Period", false},
      {3, true, nullptr, true},
      {-1, false, nullptr, true},
  };
  for (const auto& c : cases) {
    auto settings = NewCalcSettings(c.mode, c.first, false);
    auto dialog = Shown(settings.Get());
    EXPECT_EQ(dialog->GetCaption(), u"Rhyth Calculations");
    ASSERT_EQ(dialog->Parameter().GetCount(), 4);
    EXPECT_EQ(dialog->Parameter().GetString(3), u"Beat Complexity");
    EXPECT_EQ(dialog->Parameter().GetItemData(3), 5);
    if (c.selected) {
      EXPECT_EQ(Selected(*dialog), c.selected) << c.mode;
    } else {
      EXPECT_EQ(dialog->Parameter().GetSelIndex(), OWL::CB_ERR) << c.mode;
    }
    EXPECT_EQ(dialog->GuideLines().GetCheck(), c.first ? OWL::BF_CHECKED : OWL::BF_UNCHECKED);
    EXPECT_EQ(dialog->GuideLines().IsEnabled(), c.boxEnabled) << c.mode;
  }
}

TEST_F(CalculationDialog, ChangeInBeatPeriodDisablesGuideLinesAndKeepsTheirMark) {
  auto settings = NewCalcSettings(2, true, true);
  auto dialog = Shown(settings.Get());
  dialog->Parameter().Choose(1);
  EXPECT_FALSE(dialog->GuideLines().IsEnabled());
  EXPECT_EQ(dialog->GuideLines().GetCheck(), OWL::BF_CHECKED);
  EXPECT_EQ(settings->mode, 1) << "a choice goes into the settings at once";
  dialog->GuideLines().Click();
  EXPECT_EQ(dialog->GuideLines().GetCheck(), OWL::BF_CHECKED) << "a disabled box takes no click";
  dialog->Parameter().Choose(3);
  EXPECT_TRUE(dialog->GuideLines().IsEnabled());
  EXPECT_EQ(settings->mode, 5);
}

TEST_F(CalculationDialog, OkWithoutAMeasureIsRefusedWithTheWarningAndTheDialogStays) {
  auto settings = NewCalcSettings(3, true, false);
  auto dialog = Shown(settings.Get());
  EXPECT_FALSE(dialog->CanClose());
  EXPECT_EQ(settings->mode, 3) << "no CB_ERR stored as the measure";
  ASSERT_EQ(win32::ShownDialogs().size(), 1u);
  EXPECT_EQ(win32::ShownDialogs()[0].name, u"INVALIDSETTINGSDLG");
  EXPECT_TRUE(dialog->IsWindow());

  // Run modally, the refused OK ends the run cancelled, and nothing is handed back.
  win32::ClearShownMessageBoxes();
  auto current = NewCalcSettings(3, true, false);
  EXPECT_FALSE(Edit(current.Get(), IDOK, {}, S_FALSE));
  const auto runs = win32::ShownDialogs();
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0].name, u"Rhyth Calculations");
  EXPECT_FALSE(runs[0].refusal.empty());
  EXPECT_EQ(runs[1].name, u"INVALIDSETTINGSDLG");
}

TEST_F(CalculationDialog, OkHandsBackTheChoiceAndCancelNothing) {
  auto current = NewCalcSettings(0, true, true);
  auto chosen = Edit(current.Get(), IDOK, {u"Parameter=Beat Rate", u"Set Guide Lines=0"}, S_OK);
  ASSERT_TRUE(chosen);
  EXPECT_NE(chosen.Get(), current.Get());
  EXPECT_EQ(chosen->mode, 2);
  EXPECT_EQ(chosen->first, 0);
  EXPECT_EQ(chosen->interpolate, 1) << "the interpolate flag passes through";
  EXPECT_EQ(current->mode, 0);

  EXPECT_FALSE(Edit(current.Get(), IDCANCEL, {u"Parameter=Beat Rate"}, S_FALSE));
  EXPECT_EQ(current->mode, 0);
  EXPECT_EQ(current->first, 1);

  EXPECT_FALSE(Edit(current.Get(), IDOK, {u"Parameter=Heart Beats"}, S_FALSE));
  EXPECT_NE(win32::ShownDialogs().back().refusal.find(u"Heart Beats"), std::u16string::npos);
}

TEST_F(CalculationDialog, TheChannelFollowsTheChosenMeasure) {
  Open(AnalysisDocumentTest::SyntheticRecording(10.0));
  const auto calcClass = PendrelHost::FindCalculationClass("Rhyth");
  ASSERT_TRUE(calcClass);
  win32::QueueModalDialogAnswer(IDOK, {u"Parameter=Beat Rate"});
  ASSERT_EQ(PendrelHost::AddCalculatedChannel(Data(), calcClass.get(), "Rate"), "Rate");
  const PendrelHost::CalculatedChannel* channel = PendrelHost::FindCalculatedChannel(Data(), "Rate");
  ASSERT_NE(channel, nullptr);
  ASSERT_TRUE(channel->Output());
  EXPECT_EQ(channel->Output()->unit, "BPM");
}

TEST_F(CalculationDialog, HelpAsksForTheCalculationsTopic) {
  PendrelHost::HostApplication::Instance().Reset();
  auto settings = NewCalcSettings(0, true, false);
  auto dialog = Shown(settings.Get());
  dialog->Help().Click();
  using Request = std::pair<std::u16string, std::u16string>;
  EXPECT_EQ(PendrelHost::HostApplication::Instance().HelpRequests(),
            (std::vector<Request>{{u"Rhyth_Calculations", u"RhythHelp"}}));
}

}  // namespace
}  // namespace CalcDialogTest
