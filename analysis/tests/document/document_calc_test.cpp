// The module's channel calculation in the stand-in host over a synthetic recording: the host's
// calculation list, the dialog, the placeholder formula before there are beats, and the output
// range that follows the analysis document's classifier limits.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "analysis/calc/calc_dialog.h"
#include "analysis/tests/document/analysis_host.h"
#include "analysis/tests/document/calc_channels.h"
#include "host/channels/channel_error.h"
#include "host/cli/calculated_channel_printer.h"
#include "host/framework/menu_commands.h"
#include "platform/win32/message_box.h"

namespace AnalysisDocumentTest {
namespace {

using PendrelHost::CalculatedChannel;

class CalcChannels : public AnalysisHost {
 protected:
  void SetUp() override {
    AnalysisHost::SetUp();
    Open(SyntheticRecording(20.0));
    AcceptSyntheticBeats(Settings());
  }

  const PendrelHost::CalculatedOutput& Output(const std::string& name) {
    CalculatedChannel* channel = PendrelHost::FindCalculatedChannel(Data(), name);
    EXPECT_NE(channel, nullptr);
    EXPECT_TRUE(channel->Output());
    return *channel->Output();
  }
};

TEST_F(CalcChannels, TheHostListsTheCalculationByItsRegisteredClass) {
  const auto classes = PendrelHost::CalculationClasses();
  ASSERT_EQ(classes.size(), 1u);
  EXPECT_EQ(classes[0].displayName, u"Rhyth");
  EXPECT_EQ(classes[0].description, u"Rhyth Calculation");
}

TEST_F(CalcChannels, ACancelledDialogAddsNoChannel) {
  const auto calcClass = PendrelHost::FindCalculationClass("rhyth");
  ASSERT_TRUE(calcClass);
  win32::QueueMessageBoxAnswer(IDCANCEL);
  EXPECT_FALSE(PendrelHost::AddCalculatedChannel(Data(), calcClass.get(), "Rate"));
  EXPECT_FALSE(Data().Channels().Find("Rate"));
  EXPECT_TRUE(PendrelHost::CalculatedChannelNames(Data()).empty());
}

TEST_F(CalcChannels, BeforeTheBeatsAreFoundTheChannelIsFlatAndFollowsThemOnceMade) {
  ASSERT_TRUE(AddRhythChannel(Data(), "Rate", 2));
  EXPECT_EQ(Output("Rate").formula, "0");
  EXPECT_FALSE(Output("Rate").hasSource);
  EXPECT_TRUE(PendrelHost::CalculatedChannelValues(Data(), "Rate").empty());

  ASSERT_EQ(Tarn::FireMenuCommand(u"Analyze Channel"), S_OK);
  const auto values = PendrelHost::CalculatedChannelValues(Data(), "Rate");
  EXPECT_EQ(Output("Rate").formula, "RhythSelector(Rhyth_vFID,2,0)");
  EXPECT_EQ(Output("Rate").unit, "BPM");
  ASSERT_GT(values.size(), 15u);
  // The synthetic heart beats about once a second; the first beat has no interval.
  EXPECT_TRUE(std::isnan(values[0].value));
  for (std::size_t i = 1; i < values.size(); ++i) EXPECT_NEAR(values[i].value, 60.0, 6.0) << i;
  EXPECT_EQ(PendrelHost::CalculatedChannelNames(Data()), std::vector<std::string>{"Rate"});
}

std::string Printed(PendrelHost::DataDocument& document, const std::string& name, double to) {
  std::FILE* out = std::tmpfile();
  PendrelHost::PrintCalculatedChannel(document, name, {0.0, to}, out);
  std::rewind(out);
  std::string text;
  char buffer[4096];
  while (const std::size_t read = std::fread(buffer, 1, sizeof buffer, out)) text.append(buffer, read);
  std::fclose(out);
  return text;
}

TEST_F(CalcChannels, ACalculatedChannelPrintsByItsNameLikeAnEventChannel) {
  ASSERT_TRUE(AddRhythChannel(Data(), "Period", 0));
  ASSERT_EQ(Tarn::FireMenuCommand(u"Analyze Channel"), S_OK);
  const auto values = PendrelHost::CalculatedChannelValues(Data(), "Period");
  ASSERT_GT(values.size(), 3u);
  const std::string text = Printed(Data(), "Period", 1e9);
  EXPECT_EQ(text.rfind("record,tick,time_s,value\n0,", 0), 0u) << text;
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), std::ptrdiff_t(values.size() + 1));
  EXPECT_NE(text.find(",nan\n"), std::string::npos);  // the first beat has no interval
  // Only the beats before the end of the range.
  const std::string early = Printed(Data(), "Period", values[2].time);
  EXPECT_EQ(std::count(early.begin(), early.end(), '\n'), 3);
  EXPECT_THROW(Printed(Data(), "ECG", 1e9), PendrelHost::ChannelError);
}

TEST_F(CalcChannels, TheHostKeepsTheCalculationAsTheChannelsAndEditsItsSettings) {
  ASSERT_TRUE(AddRhythChannel(Data(), "Measure", 0));
  CalculatedChannel* channel = PendrelHost::FindCalculatedChannel(Data(), "Measure");
  ASSERT_NE(channel, nullptr);
  DWORD type = 0;
  EXPECT_EQ(channel->GetTypeId(&type), S_OK);
  DWORD classType = 0;
  channel->Class()->GetTypeId(&classType);
  EXPECT_EQ(type, classType);
  EXPECT_EQ(channel->OutputName(), u"Rhyth Calculation : Beat Period");

  win32::QueueMessageBoxAnswer(Rhyth::CalcDialogChoice(5, true, true));
  EXPECT_TRUE(PendrelHost::EditCalculatedChannel(Data(), "Measure"));
  EXPECT_EQ(channel->OutputName(), u"Rhyth Calculation : Beat Complexity");
  EXPECT_EQ(Output("Measure").unit, "");
  win32::QueueMessageBoxAnswer(IDCANCEL);
  EXPECT_FALSE(PendrelHost::EditCalculatedChannel(Data(), "Measure"));
  EXPECT_EQ(channel->OutputName(), u"Rhyth Calculation : Beat Complexity");
}

// A rate channel used to hold only -120 to 120 BPM: a mouse at 600 BPM was clipped. The range
// now follows the classifier limits of the document's settings.
TEST_F(CalcChannels, TheOutputRangeFollowsTheDocumentsClassifierLimits) {
  Settings().ApplyClassifierPreset(4);  // mouse: 0.09 to 0.12 s
  ASSERT_TRUE(AddRhythChannel(Data(), "Rate", 2));
  const PendrelOutputScaling scaling = Output("Rate").scaling;
  for (double bpm : {300.0, 600.0, 700.0})
    EXPECT_NEAR(PendrelHost::StoredValue(bpm, scaling), bpm, 0.5 / scaling.scale) << bpm;

  // The same channel on a human's limits holds a narrower range, with a finer step.
  Settings().ApplyClassifierPreset(0);
  win32::QueueMessageBoxAnswer(IDOK);
  ASSERT_TRUE(PendrelHost::EditCalculatedChannel(Data(), "Rate"));
  EXPECT_GT(Output("Rate").scaling.scale, scaling.scale);
  EXPECT_NEAR(PendrelHost::StoredValue(200.0, Output("Rate").scaling), 200.0, 0.01);
}

}  // namespace
}  // namespace AnalysisDocumentTest
