// `pendrel channel`: a computed channel as CSV, and what it says when it cannot.
#include "host/cli/channel_command.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "host/cli/channel_options.h"
#include "host/tests/signal/signal_test_support.h"

namespace PendrelHost {
namespace {

struct ChannelRun {
  int status;
  std::string out;
  std::string err;
};

std::string Contents(std::FILE* file) {
  std::rewind(file);
  std::string text;
  char buffer[4096];
  while (const std::size_t read = std::fread(buffer, 1, sizeof buffer, file)) text.append(buffer, read);
  std::fclose(file);
  return text;
}

ChannelRun Channel(const std::vector<std::string>& arguments) {
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  const int status = RunChannelCommand(arguments, out, err);
  return {status, Contents(out), Contents(err)};
}

TEST(ChannelCommand, PrintsASampledChannelOfTheBuiltInSample) {
  const ChannelRun run = Channel({"--sample-rate", "100", "--duration", "2", "--to", "0.05", "Ch1 - Ch1"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "time_s,value\n0.000000,0\n0.010000,0\n0.020000,0\n0.030000,0\n0.040000,0\n");
}

TEST(ChannelCommand, PrintsAnEventChannelWithDefinitions) {
  const ChannelRun run = Channel({"--sample-rate", "200", "--duration", "10", "--define", "LPF=lowpass(Ch1,30)",
                           "--define", "HI=LPF*LPF", "cmpeakdet(normalizeSec(HI,5,2.5,0),3,0.3,30)"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out.substr(0, run.out.find('\n')), "record,tick,time_s,value");
  EXPECT_GE(std::count(run.out.begin(), run.out.end(), '\n'), 10);
  EXPECT_EQ(run.out.substr(run.out.find('\n') + 1, 2), "0,");
}

TEST(ChannelCommand, ReadsAFileAndSaysWhatFails) {
  struct Case {
    std::vector<std::string> arguments;
    int status;
    std::string message;
  };
  const Case cases[] = {
      {{"/no/such/file.edf", "Ch1"}, 1, "pendrel channel: /no/such/file.edf: no such file\n"},
      {{"foo(Ch1)"}, 1, "pendrel channel: foo(Ch1): unknown function 'foo'\n"},
      {{"--define", "A=B", "--define", "B=A", "A"}, 1,
       "pendrel channel: A: channel 'A' fails: channel 'B' fails: the channels refer to each other in a cycle: "
       "A -> B -> A\n"},
      {{}, 2, "pendrel channel: a formula is needed\n"},
      {{"a", "b", "c"}, 2, "pendrel channel: too many arguments: 'c'\n"},
      {{"--frequency", "3", "Ch1"}, 2, "pendrel channel: unknown option --frequency\n"},
      {{"--from", "x", "Ch1"}, 2, "pendrel channel: --from needs a number, not 'x'\n"},
      {{"--define", "nothing", "Ch1"}, 2, "pendrel channel: --define needs NAME=FORMULA, not 'nothing'\n"},
      {{"--pause", "3", "Ch1"}, 2,
       "pendrel channel: --pause needs two numbers separated by a comma, not '3'\n"},
      {{"--premature", "3,x", "Ch1"}, 2, "pendrel channel: --premature needs a number, not 'x'\n"},
      {{"--qrs-duration", "0.0001", "Ch1"}, 1,
       "pendrel channel: the synthetic ECG needs a QRS duration from 2 ms to 1 s\n"},
  };
  for (const Case& c : cases) {
    const ChannelRun run = Channel(c.arguments);
    EXPECT_EQ(run.status, c.status) << c.message;
    EXPECT_EQ(run.err.substr(0, c.message.size()), c.message);
    EXPECT_EQ(run.out, "");
  }
}

TEST(ChannelCommand, TakesTheBuiltInSamplesOptions) {
  const ChannelOptions options = ParseChannelOptions(
      {"--sample-rate", "500", "--duration", "20", "--heart-rate", "150", "--heart-rate-sd", "0.5",
       "--qrs-duration", "0.012", "--noise", "0.05", "--baseline-wander", "1", "--mains", "0.2",
       "--mains-frequency", "60", "--rate-change", "5,60", "--rate-change", "10,150", "--pause",
       "7,3", "--premature", "12,0.6", "--beat-height", "15,2", "--seed", "4", "Ch1"});
  const SyntheticEcgSettings& s = options.sample;
  EXPECT_EQ(s.sampleRate, 500.0);
  EXPECT_EQ(s.duration, 20.0);
  EXPECT_EQ(s.meanHeartRate, 150.0);
  EXPECT_EQ(s.heartRateStd, 0.5);
  EXPECT_EQ(s.qrsDuration, 0.012);
  EXPECT_EQ(s.noise, 0.05);
  EXPECT_EQ(s.baselineWander, 1.0);
  EXPECT_EQ(s.mains, 0.2);
  EXPECT_EQ(s.mainsFrequency, 60.0);
  EXPECT_EQ(s.seed, 4u);
  ASSERT_EQ(s.rhythm.rateChanges.size(), 2u);
  EXPECT_EQ(s.rhythm.rateChanges[1].time, 10.0);
  EXPECT_EQ(s.rhythm.rateChanges[1].heartRate, 150.0);
  ASSERT_EQ(s.rhythm.pauses.size(), 1u);
  EXPECT_EQ(s.rhythm.pauses[0].length, 3.0);
  ASSERT_EQ(s.rhythm.prematureBeats.size(), 1u);
  EXPECT_EQ(s.rhythm.prematureBeats[0].coupling, 0.6);
  ASSERT_EQ(s.rhythm.beatHeights.size(), 1u);
  EXPECT_EQ(s.rhythm.beatHeights[0].factor, 2.0);
  EXPECT_EQ(options.formula, "Ch1");
}

}  // namespace
}  // namespace PendrelHost
