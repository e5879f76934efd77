// The first minute of MIT-BIH record 100 (../shared/data/mitdb-100s): read as CSV and as WFDB,
// printed, and its beats found by the detection chain.
#include <gtest/gtest.h>

#include <string>

#include "host/cli/channel_command.h"
#include "host/recording/biosig_recording.h"
#include "host/recording/csv_recording.h"
#include "host/recording/recording_file.h"
#include "host/recording/wfdb_recording.h"
#include "host/tests/signal/beat_matching.h"

namespace PendrelHost {
namespace {

class MitBihExcerpt : public testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(folder)) GTEST_SKIP() << folder << " is absent: the shared test data is not here";
  }

  const std::filesystem::path folder = Testing::MitBihExcerptFolder();
};

TEST_F(MitBihExcerpt, CsvHoldsTwoLeadsAt360Hz) {
  const Recording recording = LoadCsvRecording(folder / "100s.csv");
  EXPECT_EQ(recording.SampleRate(), 360.0);
  EXPECT_EQ(recording.TickCount(0), 21600);
  ASSERT_EQ(recording.ChannelCount(), 2u);
  EXPECT_EQ(recording.Channel(0).title, "MLII");
  EXPECT_EQ(recording.Channel(1).title, "V5");
  EXPECT_EQ(recording.Channel(0).unit, "mV");
  EXPECT_FLOAT_EQ(recording.Samples(0, 0)[0], -0.145f);
}

TEST_F(MitBihExcerpt, WfdbFormHoldsTheSamplesOfTheCsvForm) {
  const Recording csv = LoadCsvRecording(folder / "100s.csv");
  for (const char* name : {"100s.hea", "100s.dat"}) {
    const Recording wfdb = LoadRecordingFile(folder / name);
    EXPECT_EQ(wfdb.SampleRate(), 360.0) << name;
    ASSERT_EQ(wfdb.ChannelCount(), 2u) << name;
    EXPECT_EQ(wfdb.Channel(0).title, "MLII");
    EXPECT_EQ(wfdb.Channel(0).unit, "mV");
    ASSERT_EQ(wfdb.TickCount(0), 21600) << name;
    for (std::size_t channel = 0; channel < 2; ++channel) {
      const auto a = wfdb.Samples(0, channel);
      const auto b = csv.Samples(0, channel);
      for (std::size_t i = 0; i < a.size(); ++i) ASSERT_NEAR(a[i], b[i], 1e-6) << name << " " << channel << " " << i;
    }
  }
}

TEST_F(MitBihExcerpt, OwnWfdbReaderGivesTheSamplesOfLibbiosig) {
  const Recording ours = LoadWfdbRecording(folder / "100s.hea");
  const Recording library = LoadBiosigRecordingUnchecked(folder / "100s.hea");
  EXPECT_EQ(ours.SampleRate(), library.SampleRate());
  // The header gives no base date; the library makes the time of reading the record's start.
  EXPECT_FALSE(ours.StartDateTime());
  ASSERT_EQ(ours.ChannelCount(), library.ChannelCount());
  ASSERT_EQ(ours.TickCount(0), library.TickCount(0));
  for (std::size_t channel = 0; channel < ours.ChannelCount(); ++channel) {
    EXPECT_EQ(ours.Channel(channel).title, library.Channel(channel).title);
    EXPECT_EQ(ours.Channel(channel).unit, library.Channel(channel).unit);
    const auto a = ours.Samples(0, channel);
    const auto b = library.Samples(0, channel);
    const auto [differs, _] = std::mismatch(a.begin(), a.end(), b.begin());
    EXPECT_EQ(differs, a.end()) << "channel " << channel << " differs at " << (differs - a.begin());
  }
}

TEST_F(MitBihExcerpt, DetectionChainPutsOneEventOnEachReferenceBeat) {
  const std::vector<double> reference = Testing::MitBihReferenceBeats();
  ASSERT_EQ(reference.size(), 74u);
  for (const char* file : {"100s.csv", "100s.hea"}) {
    const Testing::BeatMatch match =
        Testing::MatchBeats(reference, Testing::ChainPeakTimes(LoadRecordingFile(folder / file)), 0.15);
    EXPECT_EQ(match.matched, 74u) << file;
    EXPECT_EQ(match.falseBeats, 0u) << file;
    EXPECT_LT(match.worstOffset, 0.01) << file;
    RecordProperty(std::string(file) + "_worst_offset_ms", std::to_string(match.worstOffset * 1000.0));
  }
}

TEST_F(MitBihExcerpt, ChannelCommandPrintsIt) {
  std::FILE* out = std::tmpfile();
  EXPECT_EQ(RunChannelCommand({"--to", "0.006", (folder / "100s.csv").string(), "MLII"}, out, stderr), 0);
  std::rewind(out);
  char text[256] = {};
  const std::size_t read = std::fread(text, 1, sizeof text - 1, out);
  std::fclose(out);
  EXPECT_EQ(std::string(text, read), "time_s,value\n0.000000,-0.145\n0.002778,-0.145\n0.005556,-0.145\n");
}

}  // namespace
}  // namespace PendrelHost
