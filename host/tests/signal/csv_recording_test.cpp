// CSV recordings: channels with titles and units, the rate from the times, and clear refusals.
#include "host/recording/csv_recording.h"

#include <cmath>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host/recording/recording_error.h"
#include "host/tests/signal/signal_test_support.h"

namespace PendrelHost {
namespace {

TEST(CsvRecording, ReadsChannelsTitlesUnitsRateAndStart) {
  const Recording recording = ParseCsvRecording(
      "time_s,MLII_mV,Resp,Pressure_mmHg,My_Title\r\n"
      "10.000,1,2,3,4\r\n"
      "\r\n"
      "10.005,5,6,7,8\r\n"
      "10.010,-1e-3,+2,.5,9\r\n",
      "test.csv");
  EXPECT_EQ(recording.SampleRate(), 200.0);
  ASSERT_EQ(recording.ChannelCount(), 4u);
  EXPECT_EQ(recording.Channel(0).title, "MLII");
  EXPECT_EQ(recording.Channel(0).unit, "mV");
  EXPECT_EQ(recording.Channel(1).title, "Resp");
  EXPECT_EQ(recording.Channel(1).unit, "");
  EXPECT_EQ(recording.Channel(2).unit, "mmHg");
  EXPECT_EQ(recording.Channel(3).title, "My_Title");
  EXPECT_EQ(recording.RecordStartTime(0), 10.0);
  EXPECT_TRUE(recording.IsClosed(0));
  EXPECT_EQ(std::vector<float>(recording.Samples(0, 2).begin(), recording.Samples(0, 2).end()),
            (std::vector<float>{3, 7, 0.5}));
}

TEST(CsvRecording, RefusesMalformedTextNamingTheFileLineAndReason) {
  struct Case {
    const char* text;
    const char* message;
  };
  const Case cases[] = {
      {"", "bad.csv: the file is empty"},
      {"time,a\n0,1\n0.01,2\n", "bad.csv:1: the first column must be time_s, not 'time'"},
      {"time_s;a\n0;1\n0,01;2\n", "bad.csv:1: the columns are separated by ';': commas separate"},
      {"time_s\ta\n0\t1\n0.01\t2\n", "bad.csv:1: the columns are separated by tabs: commas"},
      {"0,1\n0.01,2\n", "bad.csv:1: the first column must be time_s, not '0': the first line"},
      {"time_s\n0\n0.01\n", "bad.csv:1: there is no channel column after time_s"},
      {"time_s,a\n0,1\n0.01\n", "bad.csv:3: expected 2 values, found 1"},
      {"time_s,a\n0,1\n0.01,x\n", "bad.csv:3: 'x' in column a is not a number"},
      {"time_s,a\n0,1\n0.01,\n", "bad.csv:3: '' in column a is not a number"},
      {"time_s,a\n0,1\n", "bad.csv: at least two rows of samples are needed to know the sample rate"},
      {"time_s,a\n0,1\n0,2\n", "bad.csv:3: the times do not increase: 0 s follows 0 s"},
      {"time_s,a\n0,1\nnan,2\n", "bad.csv:3: 'nan' in column time_s is not a time"},
      {"time_s,a\n0,1\n0.001,2\n0.002,3\n0.010,4\n0.011,5\n", "bad.csv:3: the time 0.001 s is off the sample grid"},
      {"time_s,a\n0,1\n0.1,2\n", "bad.csv: the sample rate 10 Hz is outside 100 Hz to 2000 Hz"},
  };
  for (const Case& c : cases) {
    EXPECT_THAT(Testing::FailureOf<RecordingError>([&] { ParseCsvRecording(c.text, "bad.csv"); }),
                testing::HasSubstr(c.message))
        << c.text;
  }
}

TEST(CsvRecording, KeepsNotANumberSamples) {
  const Recording recording = ParseCsvRecording("time_s,a\n0,nan\n0.01,1\n0.02,NaN\n", "nan.csv");
  EXPECT_TRUE(std::isnan(recording.Samples(0, 0)[0]));
  EXPECT_EQ(recording.Samples(0, 0)[1], 1.0f);
  EXPECT_TRUE(std::isnan(recording.Samples(0, 0)[2]));
}

// A file several times larger than the blocks it is read in: rows cross the blocks' edges,
// and a time off the grid is found again by its line after the whole file was read.
TEST(CsvRecording, ReadsRowsAcrossTheBlocksOfALargeFile) {
  std::string text = "time_s,ECG_mV,Resp\n";
  constexpr int kRows = 200000;
  for (int i = 0; i < kRows; ++i) {
    text += std::to_string(i / 500.0) + "," + std::to_string(i % 1000) + ",  " + std::to_string(-i) + "\n";
  }
  const Recording recording = ParseCsvRecording(text, "large.csv");
  EXPECT_EQ(recording.SampleRate(), 500.0);
  ASSERT_EQ(recording.TickCount(0), kRows);
  for (int i = 0; i < kRows; i += 9973) {
    ASSERT_EQ(recording.Samples(0, 0)[std::size_t(i)], float(i % 1000)) << i;
    ASSERT_EQ(recording.Samples(0, 1)[std::size_t(i)], float(-i)) << i;
  }

  const std::string time = std::to_string(150000 / 500.0);  // of the row on line 150002
  const std::size_t at = text.find(time + ",");
  text.replace(at, time.size(), std::to_string(150000 / 500.0 + 0.0015));
  EXPECT_THAT(Testing::FailureOf<RecordingError>([&] { ParseCsvRecording(text, "large.csv"); }),
              testing::HasSubstr("large.csv:150002: the time 300.002 s is off the sample grid of 500 Hz"));
}

}  // namespace
}  // namespace PendrelHost
