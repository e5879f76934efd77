// `pendrel analyse --online` as a user runs it: the recording replayed by the host's simulated
// device while the analysis follows in online mode.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>

#include "host/tests/cli/pendrel_process.h"

namespace CliTest {
namespace {

namespace fs = std::filesystem;

using Measurements = std::vector<std::pair<std::string, double>>;

// The rows of `analyse --online --csv` (time_s,measurement,value,unit), as measurements by the
// recorded time they were printed at.
std::map<double, Measurements> ParseTimedCsv(const std::string& csv) {
  std::map<double, std::string> tables;
  std::istringstream in(csv);
  std::string line;
  std::getline(in, line);
  EXPECT_EQ(line, "time_s,measurement,value,unit");
  while (std::getline(in, line)) {
    const auto comma = line.find(',');
    std::string& table = tables[std::stod(line.substr(0, comma))];
    if (table.empty()) table = "measurement,value,unit\n";
    table += line.substr(comma + 1) + "\n";
  }
  std::map<double, Measurements> parsed;
  for (const auto& [time, table] : tables) parsed[time] = ParseMeasurementCsv(table);
  return parsed;
}

// The final online table has the beats and time-domain figures of the offline analysis; only
// the histogram's details (median, spectrum) may differ.
void ExpectOfflineTimeDomain(const Measurements& online, const Measurements& offline) {
  for (const char* name : {"Total Beats", "Normal Beats", "Ectopic Beats", "Average RR", "SDRR",
                           "SDSD", "RMSSD", "Average Rate", "SD1", "SD2"}) {
    const double expected = Value(offline, name);
    EXPECT_NEAR(Value(online, name), expected, 1e-9 * std::max(1.0, std::fabs(expected)))
        << name;
  }
}

TEST(OnlineAnalyse, TheFinalTableOfTheBuiltInSampleHasTheOfflineTimeDomain) {
  const std::vector<std::string> sample = {"analyse", "--duration", "150", "--csv"};
  const ProcessResult offline = RunPendrel(sample);
  ASSERT_EQ(offline.status, 0) << offline.err;
  std::vector<std::string> online = sample;
  online.push_back("--online");
  const ProcessResult result = RunPendrel(online);
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, "");

  // A table at every recorded minute, then the final one at the end of the recording.
  const std::map<double, Measurements> tables = ParseTimedCsv(result.out);
  ASSERT_EQ(tables.size(), 3u) << result.out;
  auto table = tables.begin();
  EXPECT_NEAR(table->first, 60, 1);
  const double beatsAfterAMinute = Value(table->second, "Total Beats");
  EXPECT_GT(beatsAfterAMinute, 40);
  ++table;
  EXPECT_NEAR(table->first, 120, 1);
  EXPECT_GT(Value(table->second, "Total Beats"), beatsAfterAMinute);
  ++table;
  EXPECT_DOUBLE_EQ(table->first, 150);
  ASSERT_EQ(table->second.size(), 27u);
  ExpectOfflineTimeDomain(table->second, ParseMeasurementCsv(offline.out));
}

// The settings are answered before sampling starts, so a mouse recording is followed with the
// mouse preset from its first beat.
TEST(OnlineAnalyse, FollowsTheRecordingWithTheSettingsAskedFor) {
  const std::vector<std::string> mouse = {"analyse",       "--heart-rate", "600",
                                          "--sample-rate", "2000",         "--qrs-duration",
                                          "0.01",          "--duration",   "20",
                                          "--preset",      "mouse",        "--csv"};
  const ProcessResult offline = RunPendrel(mouse);
  ASSERT_EQ(offline.status, 0) << offline.err;
  std::vector<std::string> online = mouse;
  online.push_back("--online");
  const ProcessResult result = RunPendrel(online);
  ASSERT_EQ(result.status, 0) << result.err;
  const std::map<double, Measurements> tables = ParseTimedCsv(result.out);
  ASSERT_FALSE(tables.empty());
  EXPECT_GT(Value(tables.rbegin()->second, "Total Beats"), 150);
  ExpectOfflineTimeDomain(tables.rbegin()->second, ParseMeasurementCsv(offline.out));
}

TEST(OnlineAnalyse, PrintsATableAtEveryMinuteAndWhenSamplingStops) {
  // 600 times real time: 90 s of recording in about 0.15 s.
  const ProcessResult result =
      RunPendrel({"analyse", "--online", "--speed", "600", "--duration", "90"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.out.rfind("At 1:00\nMeasurement ", 0), 0u) << result.out;
  EXPECT_NE(result.out.find("\n\nAt 1:30, sampling stopped\nMeasurement "), std::string::npos)
      << result.out;
  std::size_t headers = 0;
  for (std::size_t at = result.out.find("Measurement "); at != std::string::npos;
       at = result.out.find("Measurement ", at + 1)) {
    ++headers;
  }
  EXPECT_EQ(headers, 2u);
}

TEST(OnlineAnalyse, BadOptionsGiveOneLineAndStatusTwo) {
  struct Case {
    std::vector<std::string> arguments;
    std::string says;
  };
  const Case cases[] = {
      {{"analyse", "--online", "--speed", "0"}, "--speed needs a multiple of real time above 0"},
      {{"analyse", "--online", "--speed", "-2"}, "above 0, not '-2'"},
      {{"analyse", "--online", "--speed", "inf"}, "above 0, not 'inf'"},
      {{"analyse", "--online", "--speed", "fast"}, "--speed needs a number, not 'fast'"},
      {{"analyse", "--online", "--speed"}, "--speed needs a value"},
      {{"analyse", "--speed", "2"}, "--speed applies only with --online"},
      {{"analyse", "--online", "--from", "5"}, "--from and --to do not apply with --online"},
      {{"analyse", "--online", "--preset", "hamster"}, "hamster"},
  };
  for (const Case& c : cases) {
    const ProcessResult result = RunPendrel(c.arguments);
    SCOPED_TRACE(c.arguments.back());
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    EXPECT_NE(result.err.find(c.says), std::string::npos) << result.err;
    EXPECT_EQ(result.out, "");
  }
}

TEST(OnlineAnalyse, ASavedDocumentIsRefused) {
  const fs::path folder = MakeTempFolder();
  const std::string document = (folder / "doc.rhy").string();
  ASSERT_EQ(RunPendrel({"analyse", "--duration", "20", "--save", document}).status, 0);
  const ProcessResult result = RunPendrel({"analyse", document, "--online"});
  fs::remove_all(folder);
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find("--online replays a recording, not a saved document"),
            std::string::npos)
      << result.err;
  EXPECT_EQ(result.out, "");
}

TEST(OnlineAnalyse, TheMitdbExcerptGivesItsOfflineTimeDomain) {
  if (!fs::exists(MitdbExcerpt())) GTEST_SKIP() << "no shared data at " << SharedDataFolder();
  const ProcessResult offline = RunPendrel({"analyse", MitdbExcerpt().string(), "--csv"});
  ASSERT_EQ(offline.status, 0) << offline.err;
  const ProcessResult online =
      RunPendrel({"analyse", MitdbExcerpt().string(), "--csv", "--online"});
  ASSERT_EQ(online.status, 0) << online.err;
  const std::map<double, Measurements> tables = ParseTimedCsv(online.out);
  ASSERT_FALSE(tables.empty());
  ExpectOfflineTimeDomain(tables.rbegin()->second, ParseMeasurementCsv(offline.out));
}

}  // namespace
}  // namespace CliTest
