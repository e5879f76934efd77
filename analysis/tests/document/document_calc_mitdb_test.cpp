// The module's channel calculation over the first minute of MIT-BIH record 100
// (../shared/data/mitdb-100s): each beat measure as a calculated channel holds, at every beat,
// the value of the beat the analysis found, within the step of its 16-bit samples.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <functional>

#include "analysis/detection/fiducial_event.h"
#include "analysis/tests/document/mitbih_document.h"
#include "analysis/tests/document/calc_channels.h"
#include "host/framework/menu_commands.h"
#include "host/recording/recording_file.h"
#include "host/tests/signal/beat_matching.h"

namespace AnalysisDocumentTest {
namespace {

class MitBihCalcChannels : public MitBihDocument {
 protected:
  void SetUp() override {
    MitBihDocument::SetUp();
    if (IsSkipped()) return;
    ASSERT_EQ(Tarn::FireMenuCommand(u"Analyze Channel"), S_OK);
    beats = DocumentTest::ReadEvents<Rhyth::FiducialEvent>(
        hosted->DataObject(), Analysis().Detector().GetFiducialChannel());
    ASSERT_EQ(beats.size(), 74u);
  }

  std::vector<Rhyth::FiducialEvent> beats;
};

struct ModeCase {
  LONG mode;
  const char* outputName;
  const char* unit;
  double range;  // the output holds -range to range
  std::function<double(const Rhyth::FiducialEvent&)> measure;
};

const ModeCase kModes[] = {
    {0, "Rhyth Calculation : Beat Period", "s", 3.3, [](const auto& b) { return b.rr; }},
    {1, "Rhyth Calculation : Change in Beat Period", "s", 3.3, [](const auto& b) { return b.deltaRR; }},
    {2, "Rhyth Calculation : Beat Rate", "BPM", 240.0, [](const auto& b) { return 60.0 / b.rr; }},
    {5, "Rhyth Calculation : Beat Complexity", "", 4.5, [](const auto& b) { return b.ff; }},
};

TEST_F(MitBihCalcChannels, EachMeasuresChannelHoldsTheBeatsValuesAtTheBeats) {
  for (const ModeCase& c : kModes) {
    for (bool interpolate : {false, true}) {
      SCOPED_TRACE(std::string(c.outputName) + (interpolate ? " interpolated" : ""));
      const std::string name = "M" + std::to_string(c.mode) + (interpolate ? "i" : "");
      ASSERT_TRUE(AddRhythChannel(Data(), name, c.mode, interpolate));
      const PendrelHost::CalculatedChannel* channel = PendrelHost::FindCalculatedChannel(Data(), name);
      ASSERT_TRUE(channel && channel->Output());
      const PendrelHost::CalculatedOutput& output = *channel->Output();
      EXPECT_EQ(channel->OutputName(), Quor::String(c.outputName).ToStdWString());
      EXPECT_EQ(output.unit, c.unit);
      EXPECT_EQ(output.formula, "RhythSelector(Rhyth_vFID," + std::to_string(c.mode) + "," +
                                    (interpolate ? "1" : "0") + ")");
      EXPECT_NEAR((c.range + output.scaling.shift) * output.scaling.scale, 32000.0, 1e-3);

      const auto values = PendrelHost::CalculatedChannelValues(Data(), name);
      ASSERT_EQ(values.size(), beats.size());
      const double halfStep = 0.5 / output.scaling.scale + 1e-12;
      for (std::size_t i = 0; i < beats.size(); ++i) {
        const double expected = c.measure(beats[i]);
        const int32_t beatTick = int32_t(std::trunc(beats[i].position + beats[i].fraction + 0.5));
        EXPECT_EQ(values[i].tick, beatTick) << i;
        if (std::isnan(expected)) {
          EXPECT_TRUE(std::isnan(values[i].value)) << i;
        } else {
          EXPECT_NEAR(values[i].value, expected, halfStep) << i;
        }
      }
    }
  }
}

TEST_F(MitBihCalcChannels, TheRateChannelAgreesWithTheEnginesIntervals) {
  ASSERT_TRUE(AddRhythChannel(Data(), "Rate", 2));
  const auto values = PendrelHost::CalculatedChannelValues(Data(), "Rate");
  const Rhyth::AnalysisEngine& engine = Analysis().Engine();
  const DWORD intervals = engine.RRIntervals().GetCount();
  ASSERT_EQ(intervals, 72u);
  // Every interval of the engine's series is the interval ending at one of the channel's beats.
  std::size_t matched = 0;
  for (DWORD i = 0; i < intervals; ++i) {
    const double rate = 60.0 / engine.RRIntervals()[i];
    for (const auto& value : values) {
      if (!std::isnan(value.value) && std::fabs(value.time - engine.BeatTimes()[i]) < 1e-3) {
        EXPECT_NEAR(value.value, rate, 0.01) << i;
        ++matched;
        break;
      }
    }
  }
  EXPECT_EQ(matched, intervals);
}

}  // namespace
}  // namespace AnalysisDocumentTest
