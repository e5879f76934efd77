// `pendrel run` lines that edit the analysis in its plot views, as a user's drags and clicks do:
// a band edge or a box edge dragged gives the measurements of an analysis made with those
// edges, a click on a point shows its beat, and a line the view or the page refuses stops the
// script.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "host/tests/cli/temp_folder_test.h"

namespace CliTest {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

const std::string kOpenAndAnalyse = "open sample --duration 60\nmenu Rhyth|Analyse\n";

// The CSV table that `print csv` wrote, from its header on.
std::string CsvTable(const std::string& out) {
  const std::size_t header = out.find("measurement,value,unit");
  return header == std::string::npos ? std::string() : out.substr(header);
}

class PlotEditLines : public InTempFolder {
 protected:
  ProcessResult RunScript(const std::string& lines) {
    const fs::path script = folder / "session.txt";
    WriteText(script, kOpenAndAnalyse + lines);
    return RunPendrel({"run", script.string()});
  }
  bool NoBrowser(const ProcessResult& result) {
    return result.err.find("is a browser installed") != std::string::npos;
  }
};

// Each drag gives every measurement of an analysis made from scratch with the edges it left.
TEST_F(PlotEditLines, ADragGivesTheMeasurementsOfAnAnalysisWithItsEdges) {
  struct Case {
    const char* lines;
    const char* changes;
    std::vector<std::string> settings;
  };
  const std::vector<Case> cases = {
      {"drag band LF high 0.2\n", "band edges: LF high 0.15 -> 0.2 Hz, HF low 0.15 -> 0.2 Hz\n",
       {"--set", "LF=0.04-0.2", "--set", "HF=0.2-0.45"}},
      {"drag box left 1000\ndrag box top 1.3\n", "classifier box: left 800 -> 1000 ms\n",
       {"--set", "RR Interval=1-1.2", "--set", "Complexity=1-1.3"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lines);
    const ProcessResult dragged = RunScript(std::string(c.lines) + "print csv\n");
    if (NoBrowser(dragged)) GTEST_SKIP() << dragged.err;
    ASSERT_EQ(dragged.status, 0) << dragged.err;
    EXPECT_THAT(dragged.out, HasSubstr(c.changes));
    std::vector<std::string> analyse{"analyse", "--duration", "60", "--csv"};
    analyse.insert(analyse.end(), c.settings.begin(), c.settings.end());
    const ProcessResult fresh = RunPendrel(analyse);
    ASSERT_EQ(fresh.status, 0) << fresh.err;
    const auto edited = ParseMeasurementCsv(CsvTable(dragged.out));
    const auto expected = ParseMeasurementCsv(fresh.out);
    ASSERT_EQ(edited.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
      SCOPED_TRACE(expected[i].first);
      EXPECT_EQ(edited[i].first, expected[i].first);
      if (!std::isnan(expected[i].second)) {
        EXPECT_DOUBLE_EQ(edited[i].second, expected[i].second);
      }
    }
  }
  // The band drag changes the band powers, and says so.
  EXPECT_THAT(RunScript("drag band LF high 0.2\n").out, HasSubstr("  LF Power: "));
}

TEST_F(PlotEditLines, AClickOnAPointShowsItsBeat) {
  const fs::path beats = folder / "beats.csv";
  const ProcessResult result =
      RunScript("click tachogram 4\nclick poincare 4\nclick spectrum 4\nexport beats " + beats.string() + "\n");
  if (NoBrowser(result)) GTEST_SKIP() << result.err;
  ASSERT_EQ(result.status, 0) << result.err;
  std::smatch shown;
  ASSERT_TRUE(std::regex_search(result.out, shown,
                                std::regex("tachogram point 4: showed beat (\\d+) at record (\\d+), tick (\\d+)")))
      << result.out;
  // The tachogram's fourth interval ends at the fourth point of the Poincaré plot: one beat.
  EXPECT_THAT(result.out, HasSubstr("poincare point 4: showed beat " + shown[1].str() + " at record " +
                                    shown[2].str() + ", tick " + shown[3].str()));
  EXPECT_THAT(result.out, HasSubstr("spectrum point 4: no beat shown"));
  // That beat is one of the analysis's beats, at its own record and tick.
  EXPECT_THAT(ReadText(beats), HasSubstr("\n" + shown[2].str() + "," + shown[3].str() + ","));
}

TEST_F(PlotEditLines, ALineThatCannotBeDoneStopsTheScript) {
  struct Case {
    const char* line;
    const char* message;
  };
  const std::vector<Case> cases = {
      {"click nowhere 1", "no plot view is named 'nowhere'"},
      {"click tachogram 0", "the point's number from 1"},
      {"click tachogram 100000", "the tachogram plot has "},
      {"drag band XF low 0.1", "the spectrum has no edge 'XF low'"},
      {"drag box middle 900", "the classifier's box has no edge 'middle'"},
      {"drag band LF high 0.5", "cannot drag LF high to 0.5 Hz: its line moves only between its neighbours"},
      {"drag band LF high nan", "the spectrum view refused the drag of LF high to nan Hz"},
      {"drag box top nan", "the classifier view refused the drag of top to nan"},
      {"drag wall left 1", "expected: drag band EDGE HZ, or drag box EDGE VALUE"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    const ProcessResult result = RunScript(std::string(c.line) + "\nprint\n");
    if (NoBrowser(result)) GTEST_SKIP() << result.err;
    EXPECT_EQ(result.status, 1);
    EXPECT_THAT(result.err, HasSubstr("session.txt:3: "));
    EXPECT_THAT(result.err, HasSubstr(c.message));
    EXPECT_EQ(LineCount(result.err), 1) << "the reason, without the page script's stack";
    EXPECT_THAT(result.out, ::testing::Not(HasSubstr("Average RR"))) << "the script stopped";
  }
}

}  // namespace
}  // namespace CliTest
