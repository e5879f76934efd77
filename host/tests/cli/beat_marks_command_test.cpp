// The host's beat marks through the loaded module: `pendrel analyse --beats` writes each beat's
// mark colour and tooltip as the module's draw class gives them, `--trace` draws the analysed
// channel with one mark per beat in that colour and with that tooltip as its title, and a beat
// a session script adds is green.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "host/tests/cli/temp_folder_test.h"

namespace CliTest {
namespace {

namespace fs = std::filesystem;

struct MarkedBeatRow {
  double time;
  double rr;
  unsigned beatClass;
  double ff;
  std::string colour;
  std::string tooltip;
};

std::vector<MarkedBeatRow> ParseMarkedBeats(const std::string& csv) {
  std::istringstream in(csv);
  std::string line;
  std::getline(in, line);
  EXPECT_EQ(line, "record,tick,time_s,rr_s,class,ff,colour,tooltip");
  std::vector<MarkedBeatRow> rows;
  while (std::getline(in, line)) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (int i = 0; i < 7; ++i) {
      const std::size_t comma = line.find(',', start);
      fields.push_back(line.substr(start, comma - start));
      start = comma + 1;
    }
    fields.push_back(line.substr(start));
    rows.push_back({std::stod(fields[2]), std::stod(fields[3]), unsigned(std::stoul(fields[4])),
                    std::stod(fields[5]), fields[6], fields[7]});
  }
  return rows;
}

struct TraceMark {
  std::string title;
  double x;
  std::string colour;
};

std::vector<TraceMark> ParseTraceMarks(const std::string& svg) {
  static const std::regex mark(
      "<g class=\"mark\"><title>([^<]*)</title><line x1=\"([0-9.]+)\"[^>]*stroke=\"(#[0-9a-f]{6})\"");
  std::vector<TraceMark> marks;
  for (auto it = std::sregex_iterator(svg.begin(), svg.end(), mark); it != std::sregex_iterator();
       ++it) {
    marks.push_back({(*it)[1], std::stod((*it)[2]), (*it)[3]});
  }
  return marks;
}

// The class text at the end of a tooltip.
std::string TooltipClass(const std::string& tooltip) {
  const auto open = tooltip.rfind('(');
  return open == std::string::npos ? "" : tooltip.substr(open + 1, tooltip.size() - open - 2);
}

// The number after `label` in a tooltip.
double TooltipNumber(const std::string& tooltip, const std::string& label) {
  const auto at = tooltip.find(label);
  return at == std::string::npos ? NAN : std::stod(tooltip.substr(at + label.size()));
}

// Where the picture puts a time: 70 px of margin, 100 px a second from the trace's start.
double TraceX(double time, double start) { return 70 + (time - start) * 100; }

class BeatMarksOfAnalysis : public InTempFolder {};

class BeatMarksOfExcerpt : public BeatMarksOfAnalysis {
 protected:
  void SetUp() override {
    if (!fs::exists(MitdbExcerpt())) GTEST_SKIP() << "no shared data at " << SharedDataFolder();
    BeatMarksOfAnalysis::SetUp();
  }
};

// The colour and class text of each beat follow its class column (the first two beats, without
// an RR or a change of RR, are unknown to the analysis); the tooltip's numbers are the row's.
TEST_F(BeatMarksOfExcerpt, ColoursAndTooltipsFollowEachBeatsClass) {
  const ProcessResult result = RunPendrel({"analyse", MitdbExcerpt().string(), "--beats",
                                           File("beats.csv"), "--trace", File("trace.svg")});
  ASSERT_EQ(result.status, 0) << result.err;
  const std::vector<MarkedBeatRow> rows = ParseMarkedBeats(ReadText(File("beats.csv")));
  ASSERT_EQ(rows.size(), 74u);
  const std::map<unsigned, std::pair<std::string, std::string>> kByClass = {
      {1, {"#ffaa00", "Ectopic"}}, {2, {"#ff00aa", "Ectopic"}}, {3, {"#ff0000", "Ectopic"}}};
  std::map<std::string, int> seen;
  int lastNumber = 0;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const MarkedBeatRow& row = rows[i];
    SCOPED_TRACE(row.tooltip);
    const std::string classText = TooltipClass(row.tooltip);
    ++seen[row.colour + " " + classText];
    if (row.beatClass == 255 || i < 2) {
      EXPECT_EQ(row.colour, "#c8c8c8");
      EXPECT_EQ(classText, "Unknown");
    } else if (row.beatClass == 0) {
      EXPECT_TRUE((row.colour == "#0050ff" && classText == "Normal") ||
                  (row.colour == "#c8c8c8" && classText == "Unused"));
    } else {
      ASSERT_TRUE(kByClass.count(row.beatClass));
      EXPECT_EQ(row.colour, kByClass.at(row.beatClass).first);
      EXPECT_EQ(classText, kByClass.at(row.beatClass).second);
    }
    int number = 0;
    ASSERT_EQ(std::sscanf(row.tooltip.c_str(), "Rhyth Beat %d: RR = ", &number), 1);
    EXPECT_GT(number, lastNumber);
    lastNumber = number;
    if (std::isnan(row.rr)) {
      EXPECT_NE(row.tooltip.find("RR = no data;"), std::string::npos);
    } else {
      EXPECT_NE(row.tooltip.find(" ms; FF = "), std::string::npos);
      EXPECT_NEAR(TooltipNumber(row.tooltip, "RR = "), row.rr * 1000, 0.051);
    }
    EXPECT_NEAR(TooltipNumber(row.tooltip, "FF = "), row.ff, 5e-4 * std::fabs(row.ff));
  }
  // The excerpt has both normal and ectopic beats, so both kinds of mark are shown.
  EXPECT_GE(seen["#0050ff Normal"], 20);
  EXPECT_GE(seen["#ffaa00 Ectopic"], 10);

  // The trace shows the first 10 s: one mark for each beat there, as the CSV gives it.
  const std::string svg = ReadText(File("trace.svg"));
  EXPECT_NE(svg.find(">MLII, 0 s to 10 s</text>"), std::string::npos);
  const std::vector<TraceMark> marks = ParseTraceMarks(svg);
  std::size_t inTrace = 0;
  for (const MarkedBeatRow& row : rows) inTrace += row.time < 10 ? 1 : 0;
  ASSERT_EQ(marks.size(), inTrace);
  for (const TraceMark& mark : marks) {
    SCOPED_TRACE(mark.title);
    auto row = std::find_if(rows.begin(), rows.end(),
                            [&](const MarkedBeatRow& r) { return r.tooltip == mark.title; });
    ASSERT_NE(row, rows.end());
    EXPECT_EQ(mark.colour, row->colour);
    EXPECT_NEAR(mark.x, TraceX(row->time, 0), 0.01);
  }
}

// A beat added by hand in a session is green in the beats and, once saved, on the trace of the
// saved document.
TEST_F(BeatMarksOfExcerpt, ABeatAddedByAScriptIsGreen) {
  const double added = 3.8;  // between the fifth and the sixth beat
  char point[64];
  std::snprintf(point, sizeof point, "point %.3f\n", added);
  WriteText(File("session.txt"), "open " + MitdbExcerpt().string() + "\nmenu Rhyth|Analyse\n" +
                                      point + "menu Rhyth|AddMarker\nexport beats " +
                                      File("beats.csv") + "\nsave " + File("doc.rhy") + "\n");
  ProcessResult result = RunPendrel({"run", File("session.txt")});
  ASSERT_EQ(result.status, 0) << result.err;
  const std::vector<MarkedBeatRow> rows = ParseMarkedBeats(ReadText(File("beats.csv")));
  ASSERT_EQ(rows.size(), 75u);
  std::vector<MarkedBeatRow> green;
  for (const MarkedBeatRow& row : rows) {
    if (row.colour == "#00ff00") green.push_back(row);
  }
  ASSERT_EQ(green.size(), 1u);
  EXPECT_NEAR(green[0].time, added, 0.1);
  EXPECT_NE(TooltipClass(green[0].tooltip), "Unknown");

  result = RunPendrel({"analyse", File("doc.rhy"), "--trace", File("trace.svg")});
  ASSERT_EQ(result.status, 0) << result.err;
  std::set<std::string> greenTitles;
  for (const TraceMark& mark : ParseTraceMarks(ReadText(File("trace.svg")))) {
    if (mark.colour == "#00ff00") greenTitles.insert(mark.title);
  }
  EXPECT_EQ(greenTitles, std::set<std::string>{green[0].tooltip});
}

// --from and --to set the trace's stretch as they set the analysed one; without them the trace
// shows the first 10 s.
TEST_F(BeatMarksOfAnalysis, TheTraceShowsTheAnalysedStretch) {
  ProcessResult result = RunPendrel({"analyse", "--duration", "20", "--from", "5", "--to", "12",
                                     "--trace", File("part.svg")});
  ASSERT_EQ(result.status, 0) << result.err;
  const std::string svg = ReadText(File("part.svg"));
  EXPECT_NE(svg.find(", 5 s to 12 s</text>"), std::string::npos);
  EXPECT_NE(svg.find("width=\"790.00\""), std::string::npos);  // 7 s and the margins
  const std::vector<TraceMark> marks = ParseTraceMarks(svg);
  EXPECT_GE(marks.size(), 5u);
  for (const TraceMark& mark : marks) {
    EXPECT_GE(mark.x, TraceX(5, 5));
    EXPECT_LT(mark.x, TraceX(12, 5));
  }

  result = RunPendrel({"analyse", "--duration", "6", "--trace", File("short.svg")});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_NE(ReadText(File("short.svg")).find(", 0 s to 6 s</text>"), std::string::npos);
}

TEST_F(BeatMarksOfAnalysis, ATraceThatCannotBeWrittenIsAnError) {
  const ProcessResult result = RunPendrel(
      {"analyse", "--duration", "20", "--trace", (folder / "missing" / "t.svg").string()});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find("cannot write"), std::string::npos) << result.err;
  EXPECT_EQ(RunPendrel({"analyse", "--trace"}).status, 2);
}

}  // namespace
}  // namespace CliTest
