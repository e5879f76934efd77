// `pendrel analyse` and `pendrel run` with analysis settings: the region, the
// source channel, species presets and fields, answered to the module's settings
// dialog.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "host/recording/synthetic_ecg.h"
#include "host/tests/cli/temp_folder_test.h"

namespace CliTest {
namespace {

namespace fs = std::filesystem;

class SettingsFiles : public InTempFolder {};

// The times of the beats written by --beats.
std::vector<double> BeatTimes(const std::string &csv) {
  std::istringstream in(csv);
  std::string line;
  std::getline(in, line); // the header
  std::vector<double> times;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string record, tick, time;
    std::getline(fields, record, ',');
    std::getline(fields, tick, ',');
    std::getline(fields, time, ',');
    times.push_back(std::stod(time));
  }
  return times;
}

TEST_F(SettingsFiles, TheMousePresetFindsEveryBeatOfAMouseRhythm) {
  PendrelHost::SyntheticEcgSettings mouse;
  mouse.meanHeartRate = 600;
  mouse.sampleRate = 2000;
  mouse.qrsDuration = 0.01;
  mouse.duration = 30;
  const std::vector<std::string> sample = {
      "analyse",       "--heart-rate",   "600",
      "--sample-rate", "2000",           "--qrs-duration",
      "0.01",          "--duration",     "30",
      "--beats",       File("beats.csv")};
  std::vector<std::string> withPreset = sample;
  withPreset.insert(withPreset.end(), {"--preset", "mouse"});
  const ProcessResult result = RunPendrel(withPreset);
  ASSERT_EQ(result.status, 0) << result.err;
  const std::vector<double> found = BeatTimes(ReadText(File("beats.csv")));
  const std::vector<double> made =
      PendrelHost::MakeSyntheticEcg(mouse).beatTimes;
  ASSERT_EQ(found.size(), made.size());
  for (std::size_t i = 0; i < made.size(); ++i)
    EXPECT_NEAR(found[i], made[i], 0.005) << i;

  // The human values, the default, miss such a rhythm.
  RunPendrel(sample);
  EXPECT_LT(BeatTimes(ReadText(File("beats.csv"))).size(), made.size() / 2);
}

TEST_F(SettingsFiles, FromAndToAnalyseOnlyTheirSpan) {
  const ProcessResult result =
      RunPendrel({"analyse", "--duration", "30", "--from", "5", "--to", "15",
                  "--csv", "--beats", File("beats.csv")});
  ASSERT_EQ(result.status, 0) << result.err;
  const auto csv = ParseMeasurementCsv(result.out);
  EXPECT_EQ(Value(csv, "Analysis Start"), 5);
  EXPECT_EQ(Value(csv, "Analysis End"), 15);
  EXPECT_NEAR(Value(csv, "Total Beats"), 10, 1); // 60 beats a minute
  for (const double time : BeatTimes(ReadText(File("beats.csv")))) {
    EXPECT_GE(time, 5.0);
    EXPECT_LT(time, 15.0);
  }
  // --from alone runs to the end.
  const auto open = ParseMeasurementCsv(
      RunPendrel({"analyse", "--duration", "30", "--from", "5", "--csv"}).out);
  EXPECT_EQ(Value(open, "Analysis Start"), 5);
  EXPECT_EQ(Value(open, "Analysis End"), 30);
}

TEST(SettingsOptions, AFieldAndTheChannelChangeWhatIsAnalysed) {
  const auto plain = ParseMeasurementCsv(
      RunPendrel({"analyse", "--duration", "60", "--csv"}).out);
  const ProcessResult set = RunPendrel({"analyse", "--duration", "60", "--csv",
                                        "--set", "prrx THRESHOLD = 0.001"});
  ASSERT_EQ(set.status, 0) << set.err;
  const auto changed = ParseMeasurementCsv(set.out);
  EXPECT_LT(Value(plain, "pRRx"), 10);
  EXPECT_GT(Value(changed, "pRRx"), 90);
  EXPECT_EQ(Value(changed, "Total Beats"), Value(plain, "Total Beats"));
  // The sample's one channel, by index and by title, is what is analysed
  // anyway.
  for (const char *channel : {"0", "ecg"}) {
    const ProcessResult chosen = RunPendrel(
        {"analyse", "--duration", "60", "--csv", "--channel", channel});
    ASSERT_EQ(chosen.status, 0) << chosen.err;
    EXPECT_EQ(ParseMeasurementCsv(chosen.out), plain) << channel;
  }
}

TEST(SettingsOptions, WhatTheDialogRefusesGivesOneLineAndNothingAnalysed) {
  struct Case {
    std::vector<std::string> options;
    std::string says;
  };
  const Case cases[] = {
      {{"--preset", "hamster"}, "no preset is named 'hamster'"},
      {{"--set", "Colour=red"}, "no field 'Colour' (pendrel analyse --help lists them)"},
      {{"--set", "Low pass filter=fast"},
       "Low pass filter takes a number, not 'fast'"},
      {{"--set", "Low pass filter=nan"}, "takes a number"},
      {{"--set", "Typical QRS width=0"}, "must be above 0"},
      {{"--set", "Number of frequencies=2.5"}, "whole number"},
      {{"--set", "Exclude ectopics=2"}, "takes 0 or 1"},
      {{"--set", "RR low limit=1.5"},
       "RR low limit must be below RR high limit"},
      {{"--set", "LF high=0.01"}, "do not fit together"},
      {{"--set", "Noise"}, "--set needs NAME=VALUE"},
      {{"--channel", "3"}, "no channel '3' can be analysed (the channels: 0 ECG)"},
      {{"--channel", "EMG"}, "no channel 'EMG'"},
      {{"--from", "soon"}, "--from needs a number"},
      {{"--from", "-1"}, "0 s or later"},
      {{"--from", "10", "--to", "5"}, "--to must come after --from"},
  };
  for (const Case &c : cases) {
    std::vector<std::string> arguments = {"analyse", "--duration", "20"};
    arguments.insert(arguments.end(), c.options.begin(), c.options.end());
    const ProcessResult result = RunPendrel(arguments);
    EXPECT_EQ(result.status, 2) << c.says;
    EXPECT_EQ(LineCount(result.err), 1) << result.err;
    EXPECT_NE(result.err.find(c.says), std::string::npos) << result.err;
    EXPECT_EQ(result.out, "") << c.says;
  }
}

TEST_F(SettingsFiles, AScriptSetsPresetsAndFieldsAndStopsAtARefusedOne) {
  WriteText(File("settings.txt"), "open sample --duration 60\n"
                                  "preset Large Dog\n"
                                  "set pRRx threshold=0.001\n"
                                  "menu Rhyth|Analyse\n"
                                  "print csv\n"
                                  "set Bogus=1\n"
                                  "print csv\n");
  const ProcessResult result = RunPendrel({"run", File("settings.txt")});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(
      result.err.find("settings.txt:6: the settings have no field 'Bogus'"),
      std::string::npos)
      << result.err;
  const auto csv =
      ParseMeasurementCsv(result.out); // printed once, before the refusal
  ASSERT_EQ(csv.size(), 27u);
  EXPECT_GT(Value(csv, "pRRx"), 90);
  EXPECT_NEAR(Value(csv, "Total Beats"), 59, 1);
}

} // namespace
} // namespace CliTest
