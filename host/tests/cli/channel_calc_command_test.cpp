// `pendrel channel --calc`: the analysis module's channel calculation over an analysed
// recording, printed as a user runs it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>

#include "host/tests/cli/temp_folder_test.h"

namespace CliTest {
namespace {

namespace fs = std::filesystem;

struct Row {
  long record;
  long tick;
  double time;
  double value;
};

// The rows of `record,tick,time_s,value` text (also the first columns of the beats CSV).
std::vector<Row> Rows(const std::string& csv) {
  std::vector<Row> rows;
  std::istringstream in(csv);
  std::string line;
  std::getline(in, line);  // the header
  while (std::getline(in, line)) {
    Row row{};
    char comma = 0;
    std::istringstream fields(line);
    fields >> row.record >> comma >> row.tick >> comma >> row.time >> comma;
    std::string value;
    std::getline(fields, value, ',');
    row.value = value == "nan" ? NAN : std::stod(value);
    rows.push_back(row);
  }
  return rows;
}

class ChannelCalc : public InTempFolder {
 protected:
  // The beats `pendrel analyse` finds with the same arguments.
  std::vector<Row> AnalysedBeats(std::vector<std::string> arguments) {
    const std::string beats = (folder / "beats.csv").string();
    arguments.insert(arguments.begin(), "analyse");
    arguments.insert(arguments.end(), {"--beats", beats});
    const ProcessResult result = RunPendrel(arguments);
    EXPECT_EQ(result.status, 0) << result.err;
    return Rows(ReadText(beats));
  }

  // Each beat's period is its RR interval, within the 16-bit channel's step.
  void ExpectBeatPeriods(const std::vector<std::string>& source) {
    std::vector<std::string> arguments{"channel", "--calc", "Beat Period"};
    arguments.insert(arguments.end(), source.begin(), source.end());
    const ProcessResult result = RunPendrel(arguments);
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out.rfind("record,tick,time_s,value\n", 0), 0u);
    const std::vector<Row> periods = Rows(result.out);
    const std::vector<Row> beats = AnalysedBeats(source);
    ASSERT_EQ(periods.size(), beats.size());
    ASSERT_GT(beats.size(), 10u);
    EXPECT_TRUE(std::isnan(periods[0].value));  // the first beat has no interval
    for (std::size_t i = 0; i < beats.size(); ++i) {
      EXPECT_EQ(periods[i].tick, beats[i].tick) << i;
      if (i > 0) {
        EXPECT_NEAR(periods[i].value, beats[i].value, 1e-3) << i;  // beats: rr_s
      }
    }
  }

};

TEST_F(ChannelCalc, TheBuiltInSamplesBeatPeriodsAreItsRRIntervals) {
  ExpectBeatPeriods({"--duration", "40"});
}

TEST_F(ChannelCalc, TheMeasureGoesByItsNameOrCodeAndTheSettingsApply) {
  const std::vector<std::string> mouse{"--preset", "mouse",        "--heart-rate",   "600",
                                       "--sample-rate", "2000",    "--qrs-duration", "0.01",
                                       "--duration", "12",         "--from",         "2",
                                       "--to",       "10"};
  std::vector<std::string> byName{"channel", "--calc", "beat rate"};
  byName.insert(byName.end(), mouse.begin(), mouse.end());
  std::vector<std::string> byCode{"channel", "--calc", "2"};
  byCode.insert(byCode.end(), mouse.begin(), mouse.end());
  const ProcessResult named = RunPendrel(byName);
  ASSERT_EQ(named.status, 0) << named.err;
  EXPECT_EQ(RunPendrel(byCode).out, named.out);
  // Ten beats a second, only in the span analysed and printed.
  const std::vector<Row> rates = Rows(named.out);
  ASSERT_GT(rates.size(), 70u);
  for (std::size_t i = 1; i < rates.size(); ++i) {
    EXPECT_NEAR(rates[i].value, 600.0, 60.0) << i;
    EXPECT_GE(rates[i].time, 2.0);
    EXPECT_LT(rates[i].time, 10.0);
  }
}

TEST(ChannelCalcErrors, GiveOneLineAndAFailingStatus) {
  struct Case {
    std::vector<std::string> arguments;
    int status;
    std::string says;
  };
  const Case cases[] = {
      {{"channel", "--calc", "Heart Mood", "--duration", "20"}, 2,
       "no beat measure is named 'Heart Mood' (the measures: Beat Period (0),"},
      {{"channel", "--calc", "3", "--duration", "20"}, 2, "no beat measure is named '3'"},
      {{"channel", "--preset", "mouse", "Ch1"}, 2, "--preset applies only with --calc"},
      {{"channel", "--calc", "2", "--define", "A=Ch1"}, 2, "--define does not apply with --calc"},
      {{"channel", "--calc", "2", "a.hea", "b.hea"}, 2, "too many arguments: 'b.hea'"},
      {{"channel", "--calc", "2", "--set", "Noise=-1", "--duration", "20"}, 2, "Noise"},
      {{"channel", "--calc", "2", "/no/such/recording.edf"}, 1, "no such file"},
  };
  for (const Case& c : cases) {
    const ProcessResult result = RunPendrel(c.arguments);
    SCOPED_TRACE(c.says);
    EXPECT_EQ(result.status, c.status);
    // The reason comes first; a misuse of the command's options is followed by its usage.
    const std::string first = result.err.substr(0, result.err.find('\n'));
    EXPECT_NE(first.find(c.says), std::string::npos) << result.err;
    EXPECT_EQ(result.out, "");
  }
}

TEST_F(ChannelCalc, TheMitdbExcerptsBeatPeriodsAreItsRRIntervals) {
  if (!fs::exists(MitdbExcerpt())) GTEST_SKIP() << "no shared data at " << SharedDataFolder();
  ExpectBeatPeriods({MitdbExcerpt().string()});
}

}  // namespace
}  // namespace CliTest
