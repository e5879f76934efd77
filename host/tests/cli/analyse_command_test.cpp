// `pendrel analyse`, `menu` and `run` as a user runs them: the built process, with the module
// loaded from beside it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <sstream>

#include "host/tests/cli/temp_folder_test.h"

namespace CliTest {
namespace {

namespace fs = std::filesystem;

class CliFiles : public InTempFolder {};

TEST(AnalyseCommand, TheBuiltInSampleGivesTheTableOfMeasurements) {
  const ProcessResult result = RunPendrel({"analyse", "--duration", "60"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, "");  // no progress when standard error is no terminal
  EXPECT_EQ(LineCount(result.out), 28);  // the header and the 27 measurements
  EXPECT_NE(result.out.find("Average RR"), std::string::npos);
  EXPECT_NE(result.out.find("HF Power"), std::string::npos);
  EXPECT_NE(result.out.find("ms\u00B2"), std::string::npos);
  const auto csv = ParseMeasurementCsv(RunPendrel({"analyse", "--duration", "60", "--csv"}).out);
  ASSERT_EQ(csv.size(), 27u);
  // 60 beats a minute for a minute.
  EXPECT_NEAR(Value(csv, "Total Beats"), 59, 1);
  EXPECT_NEAR(Value(csv, "Average Rate"), 60, 1);
}

TEST(AnalyseCommand, BadInputGivesOneLineAndAFailingStatus) {
  struct Case {
    std::vector<std::string> arguments;
    int status;
    std::string says;
  };
  const Case cases[] = {
      {{"analyse", "/no/such/recording.edf"}, 1, "no such file"},
      {{"analyse", "/"}, 1, "cannot open /: it is a folder, not a file"},
      {{"analyse", "--duration", "20", "--from", "10", "--to", "30"}, 1,
       "the selection lies outside the recording, whose first record is 20 s long"},
      {{"analyse", "--bogus"}, 2, "unknown option --bogus"},
      {{"analyse", "--duration", "soon"}, 2, "--duration"},
      {{"analyse", "--rr"}, 2, "--rr needs a value"},
      {{"analyse", "a.csv", "b.csv"}, 2, "too many arguments"},
      {{"frobnicate"}, 2, "unknown command"},
      {{"run"}, 2, "a script is needed"},
      {{"menu", "--bogus"}, 2, "unknown option"},
      {{"--module", "/no/such/librhyth.so", "analyse"}, 1, "no such file"},
  };
  for (const Case& c : cases) {
    const ProcessResult result = RunPendrel(c.arguments);
    SCOPED_TRACE(c.arguments.back());
    EXPECT_EQ(result.status, c.status);
    EXPECT_EQ(LineCount(result.err), 1) << result.err;
    EXPECT_NE(result.err.find(c.says), std::string::npos) << result.err;
    EXPECT_EQ(result.out, "");
  }
}

TEST_F(CliFiles, AnUnreadableRecordingIsNamedAndNoBeatsIsAnError) {
  WriteText(File("junk.edf"), "this is no recording");
  ProcessResult result = RunPendrel({"analyse", File("junk.edf")});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find("junk.edf"), std::string::npos);

  // A flat line has no beats.
  std::string flat = "time_s,ECG_mV\n";
  for (int i = 0; i < 2500; ++i) flat += std::to_string(i / 250.0) + ",0\n";
  WriteText(File("flat.csv"), flat);
  result = RunPendrel({"analyse", File("flat.csv")});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find("no beats found"), std::string::npos) << result.err;
}

TEST(CommandHelp, EveryCommandHasHelp) {
  for (const char* command : {"analyse", "menu", "run", "channel"}) {
    const ProcessResult result = RunPendrel({command, "--help"});
    EXPECT_EQ(result.status, 0) << command;
    EXPECT_EQ(result.out.rfind("Usage: pendrel ", 0), 0u) << command;
  }
  EXPECT_NE(RunPendrel({"--help"}).out.find("analyse"), std::string::npos);
}

TEST(MenuCommand, ListsTheAnalysisMenuWithItsStates) {
  const ProcessResult result = RunPendrel({"menu"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.out.find("Rhyth|Analyse \"Analyze Channel\" enabled"), std::string::npos)
      << result.out;
  EXPECT_NE(result.out.find("Rhyth|Settings"), std::string::npos);
}

// A target that cannot be written stops the command before the analysis, saying why; whatever
// stood there is left as it was.
TEST_F(CliFiles, AnOutputThatCannotBeWrittenIsRefusedBeforeAnalysing) {
  fs::create_directory(File("folder.html"));
  const std::string missing = File("missing");
  for (const char* option : {"--beats", "--rr", "--save", "--trace", "--report"}) {
    const std::string name = std::string(option) == "--report" ? "out.html" : "out";
    const struct {
      std::string target, says;
    } cases[] = {
        {File("folder.html"), "cannot write " + File("folder.html") + ": it is a folder"},
        {missing + "/" + name, "the folder " + missing + " does not exist"},
        {"/proc/" + name, "cannot write /proc/" + name + ": "},
    };
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(option) + " " + c.target);
      const ProcessResult result = RunPendrel({"analyse", "--duration", "20", option, c.target});
      EXPECT_EQ(result.status, 1);
      EXPECT_EQ(LineCount(result.err), 1) << result.err;
      EXPECT_NE(result.err.find(c.says), std::string::npos) << result.err;
      EXPECT_EQ(result.out, "") << "nothing is analysed";
    }
  }
  EXPECT_TRUE(fs::is_directory(File("folder.html")));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1)
      << "no partial file is left";
}

// An output named as the recording being analysed, one of its files, or the document it was
// saved in would replace it: refused, and the file keeps its bytes. A document may be saved over
// itself.
TEST_F(CliFiles, NoOutputReplacesWhatIsAnalysed) {
  const ProcessResult sample = RunPendrel({"channel", "--duration", "20", "Ch1"});
  ASSERT_EQ(sample.status, 0) << sample.err;
  WriteText(File("rec.csv"), sample.out);
  ASSERT_EQ(RunPendrel({"analyse", File("rec.csv"), "--save", File("doc.rhy")}).status, 0);
  const std::string document = ReadText(File("doc.rhy"));
  const std::string recordingFile = "a file of the recording being analysed";
  const struct {
    std::vector<std::string> arguments;
    std::string target, says;
  } cases[] = {
      {{"analyse", File("rec.csv"), "--save"}, "rec.csv", recordingFile},
      {{"analyse", File("rec.csv"), "--rr"}, "rec.csv", recordingFile},
      {{"analyse", File("rec.csv"), "--beats"}, "rec.csv", recordingFile},
      {{"analyse", File("doc.rhy"), "--beats"}, "doc.rhy", "the document being analysed"},
      // The document reads its recording from the file it was made from.
      {{"analyse", File("doc.rhy"), "--trace"}, "rec.csv", recordingFile},
  };
  for (const auto& c : cases) {
    std::vector<std::string> arguments = c.arguments;
    arguments.push_back(File(c.target));
    SCOPED_TRACE(::testing::PrintToString(arguments));
    const ProcessResult result = RunPendrel(arguments);
    EXPECT_NE(result.status, 0);
    EXPECT_NE(result.err.find(c.says), std::string::npos) << result.err;
    EXPECT_EQ(ReadText(File("rec.csv")), sample.out);
    EXPECT_EQ(ReadText(File("doc.rhy")), document);
  }
  WriteText(File("script.txt"), "open " + File("rec.csv") + "\nmenu Rhyth|Analyse\nexport rr " +
                                    File("rec.csv") + "\n");
  const ProcessResult script = RunPendrel({"run", File("script.txt")});
  EXPECT_NE(script.err.find("script.txt:3: cannot write " + File("rec.csv")), std::string::npos)
      << script.err;
  EXPECT_EQ(ReadText(File("rec.csv")), sample.out);
  const ProcessResult resaved = RunPendrel({"analyse", File("doc.rhy"), "--save", File("doc.rhy")});
  EXPECT_EQ(resaved.status, 0) << resaved.err;

  // A WFDB record's signal file, named by its header.
  if (!fs::exists(MitdbExcerpt())) GTEST_SKIP() << "no shared data at " << SharedDataFolder();
  for (const char* name : {"100s.hea", "100s.dat"}) {
    fs::copy_file(MitdbExcerpt().parent_path() / name, folder / name);
  }
  const std::string signals = ReadText(File("100s.dat"));
  const ProcessResult wfdb = RunPendrel({"analyse", File("100s.hea"), "--rr", File("100s.dat")});
  EXPECT_NE(wfdb.err.find("a file of the recording being analysed"), std::string::npos) << wfdb.err;
  EXPECT_EQ(ReadText(File("100s.dat")), signals);
}

TEST_F(CliFiles, ASavedDocumentGivesTheSameMeasurementsWhenOpened) {
  const ProcessResult saved =
      RunPendrel({"analyse", "--duration", "60", "--csv", "--save", File("doc.rhy")});
  ASSERT_EQ(saved.status, 0) << saved.err;
  const ProcessResult reopened = RunPendrel({"analyse", File("doc.rhy"), "--csv"});
  ASSERT_EQ(reopened.status, 0) << reopened.err;
  EXPECT_EQ(reopened.out, saved.out);
}

TEST_F(CliFiles, AScriptNamesItsFailingLineAndStops) {
  WriteText(File("bad.txt"),
            "# a comment\n"
            "open sample --duration 20\n"
            "\n"
            "menu Rhyth|Nothing Such\n"
            "print\n");
  const ProcessResult result = RunPendrel({"run", File("bad.txt")});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find("bad.txt:4: no menu item is named 'Rhyth|Nothing Such' "
                            "(pendrel menu lists them)"),
            std::string::npos)
      << result.err;
  EXPECT_EQ(result.out, "");
}

// As editors on other systems save it: a byte order mark first, CR LF line ends.
TEST_F(CliFiles, AScriptSavedWithAByteOrderMarkAndCrLfRuns) {
  WriteText(File("saved.txt"), "\xEF\xBB\xBFopen sample --duration 20\r\n"
                               "menu Rhyth|Analyse\r\n"
                               "print csv\r\n");
  const ProcessResult result = RunPendrel({"run", File("saved.txt")});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_NEAR(Value(ParseMeasurementCsv(result.out), "Analysis End"), 20.0, 1e-9);
  const ProcessResult missing = RunPendrel({"run", File("missing.txt")});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("cannot read " + File("missing.txt") + ": No such file"),
            std::string::npos)
      << missing.err;
}

TEST_F(CliFiles, AMenuItemIsNamedAsAPersonTypesIt) {
  WriteText(File("typed.txt"),
            "open sample --duration 20\n"
            "menu analyze channel\n"
            "menu CLASSIFY ALL BEATS AS NORMAL\n"
            "menu rhyth|clearanalysis\n");
  const ProcessResult result = RunPendrel({"run", File("typed.txt")});
  EXPECT_EQ(result.status, 0) << result.err;
}

TEST_F(CliFiles, AScriptAnalysesSavesAndExports) {
  WriteText(File("session.txt"),
            "open sample --duration 30\n"
            "menu Rhyth|Analyse\n"
            "print csv\n"
            "export rr " + File("rr.txt") + "\n"
            "export beats " + File("beats.csv") + "\n"
            "save " + File("doc.rhy") + "\n");
  const ProcessResult result = RunPendrel({"run", File("session.txt")});
  ASSERT_EQ(result.status, 0) << result.err;
  const auto csv = ParseMeasurementCsv(result.out);
  EXPECT_NEAR(Value(csv, "Analysis End"), 30.0, 1e-9);
  EXPECT_EQ(LineCount(ReadText(File("rr.txt"))), int(Value(csv, "Total Beats")));
  EXPECT_GT(LineCount(ReadText(File("beats.csv"))), 1);
  EXPECT_TRUE(fs::exists(File("doc.rhy")));
}

// The time of the tenth beat the analysis of the sample finds.
double TenthBeatTime(const std::string& beatsCsv) {
  std::istringstream in(beatsCsv);
  std::string line;
  for (int i = 0; i <= 10 && std::getline(in, line); ++i) {
  }
  const auto first = line.find(','), second = line.find(',', first + 1);
  return std::stod(line.substr(second + 1));
}

// Removing a beat by hand and adding it back at its place gives the measurements of the first
// analysis.
TEST_F(CliFiles, RemovingABeatAndAddingItBackRestoresTheMeasurements) {
  const std::string open = "open sample --duration 30\n", analyse = "menu Rhyth|Analyse\n";
  WriteText(File("beats.txt"), open + analyse + "export beats " + File("beats.csv") + "\n");
  ASSERT_EQ(RunPendrel({"run", File("beats.txt")}).status, 0);
  const double beat = TenthBeatTime(ReadText(File("beats.csv")));
  char edits[200];
  std::snprintf(edits, sizeof edits,
                "select %.6f %.6f\nmenu Rhyth|RemoveMarker\n%sprint csv\n"
                "point %.6f\nmenu Rhyth|AddMarker\n%sprint csv\n",
                beat - 0.05, beat + 0.05, analyse.c_str(), beat, analyse.c_str());
  WriteText(File("edit.txt"), open + analyse + "print csv\n" + edits);
  const ProcessResult result = RunPendrel({"run", File("edit.txt")});
  ASSERT_EQ(result.status, 0) << result.err;
  std::vector<std::string> tables;
  std::istringstream in(result.out);
  std::string table, line;
  while (std::getline(in, line)) {
    if (line.rfind("measurement,", 0) == 0 && !table.empty()) tables.push_back(table), table.clear();
    table += line + "\n";
  }
  tables.push_back(table);
  ASSERT_EQ(tables.size(), 3u);
  EXPECT_NE(tables[1], tables[0]);
  EXPECT_EQ(tables[2], tables[0]);
}

class MitdbRecording : public CliFiles {
 protected:
  void SetUp() override {
    if (!fs::exists(MitdbExcerpt())) GTEST_SKIP() << "no shared data at " << SharedDataFolder();
    CliFiles::SetUp();
  }
};

// The beats and RR intervals written are those the measurements were made from.
TEST_F(MitdbRecording, GivesItsBeatsAndTheirMeasurements) {
  const ProcessResult result = RunPendrel({"analyse", MitdbExcerpt().string(), "--csv", "--beats",
                                           File("beats.csv"), "--rr", File("rr.txt")});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(LineCount(ReadText(File("beats.csv"))), 1 + 74);

  std::vector<double> rr;
  std::istringstream in(ReadText(File("rr.txt")));
  for (double value; in >> value;) rr.push_back(value * 1000.0);
  const auto csv = ParseMeasurementCsv(result.out);
  ASSERT_EQ(double(rr.size()), Value(csv, "Total Beats"));
  ASSERT_GT(rr.size(), 2u);
  const double mean = std::accumulate(rr.begin(), rr.end(), 0.0) / double(rr.size());
  double squares = 0;
  for (double value : rr) squares += (value - mean) * (value - mean);
  // The RR file holds six significant digits.
  EXPECT_NEAR(Value(csv, "Average RR"), mean, 1e-3);
  EXPECT_NEAR(Value(csv, "SDRR"), std::sqrt(squares / double(rr.size() - 1)), 1e-3);
}

}  // namespace
}  // namespace CliTest
