// The module's 27 measurements in the stand-in host's Tabulon table over an analysed synthetic
// recording: the columns with their units and number formats, the values the engine gives for
// the same selection, the selections that give no value, the region times, one analysis per
// (document, selection, settings), and the table printed as text and CSV.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "analysis/document/document.h"
#include "analysis/measurements/shared_analysis.h"
#include "analysis/messages/document_messages.h"
#include "analysis/tests/measurements/measurement_checks.h"
#include "host/tests/document/document_test_support.h"

namespace MeasurementTest {
namespace {

using PendrelHost::MeasurementSelection;
using PendrelHost::MeasurementTable;

constexpr double kRate = 250.0;

class Measurements : public AnalysisDocumentTest::AnalysisHost {
 protected:
  void SetUp() override {
    AnalysisHost::SetUp();
    Open(AnalysisDocumentTest::SyntheticRecording(120.0, kRate));
    AnalysisDocumentTest::AcceptSyntheticBeats(Settings());
    Send(Rhyth::AnalyzeMsg::Id());
    ASSERT_GT(Analysis().Engine().RRIntervals().GetCount(), 100u);
  }

 public:
  std::unique_ptr<MeasurementTable> TableOf(std::vector<MeasurementSelection> rows) {
    auto table = std::make_unique<MeasurementTable>(*hosted);
    table->AddRows(rows);
    table->Evaluate();
    return table;
  }
  static std::size_t Column(const MeasurementTable& table, std::string_view name) {
    const std::size_t column = table.ColumnOf(name);
    EXPECT_NE(column, std::string_view::npos) << name;
    return column;
  }
  // A selection around beats first to last (indices into the document's admitted beats).
  MeasurementSelection AroundBeats(DWORD first, DWORD last) {
    const auto& times = Analysis().Engine().BeatTimes();
    const LONG start = LONG(std::lround((times[first] - 0.05) * kRate));
    const LONG end = LONG(std::lround((times[last] + 0.05) * kRate));
    return {"beats", {start, 0}, {end, 0}};
  }
  // A selection from just after beat k to just before the next.
  MeasurementSelection BetweenBeats(DWORD k) {
    const auto& times = Analysis().Engine().BeatTimes();
    return {"between", {LONG(std::lround((times[k] + 0.1) * kRate)), 0},
            {LONG(std::lround((times[k + 1] - 0.1) * kRate)), 0}};
  }
};

std::string FormatOf(const MeasurementTable& table, std::size_t column) {
  IQuorString* format = nullptr;
  table.Function(0, column)->GetNumberFormat(0, 0, &format);
  return Tarn::Utf8(DocumentTest::Adopt(format));
}

TEST_F(Measurements, TheTableShowsThe27InSubIdOrder) {
  const auto table = TableOf({WholeRecord(*hosted)});
  std::vector<std::string> names;
  for (const auto& column : table->Columns()) names.push_back(column.name);
  EXPECT_EQ(names, (std::vector<std::string>{
                       "Analysis Start", "Analysis End", "Total Beats", "Normal Beats",
                       "Ectopic Beats", "Average RR", "Median RR", "SDRR", "CVRR",
                       "Average Rate", "SD Rate", "SDSD", "RMSSD", "pRRx", "SD1", "SD2", "SDARR",
                       "Total Power", "VLF Power", "VLF Power (%)", "LF Power", "LF Power (%)",
                       "LF Power (nu)", "HF Power", "HF Power (%)", "HF Power (nu)", "LF/HF"}));
}

TEST_F(Measurements, EveryStatisticIsTheEnginesWithItsUnitAndFormat) {
  const MeasurementSelection whole = WholeRecord(*hosted);
  const auto table = TableOf({whole});
  AloneAnalysis alone;
  AnalyseAlone(Analysis(), whole, alone);
  ASSERT_GT(alone.intervals, 100u);
  ExpectTheEnginesValues(*table, 0, alone);
  // The unit-less measurements answer GetUnitString with E_FAIL.
  IQuorString* unit = nullptr;
  EXPECT_EQ(table->Function(0, Column(*table, "CVRR"))->GetUnitString(&unit), E_FAIL);
  EXPECT_EQ(unit, nullptr);
}

TEST_F(Measurements, StatisticsAgreeWithNumpyAndScipy) {
  if (const std::string why = ReferenceCheckUnavailable(); !why.empty()) GTEST_SKIP() << why;
  const MeasurementSelection whole = WholeRecord(*hosted);
  const auto table = TableOf({whole});
  AloneAnalysis alone;
  AnalyseAlone(Analysis(), whole, alone);
  EXPECT_TRUE(AgreesWithNumpyAndScipy(*table, 0, alone, 0.0, whole.end.offset / kRate));
}

TEST_F(Measurements, TheRegionTimesAreTheDocumentsRegionNotTheSelection) {
  const Rhyth::AnalysisRegion region = Settings().analysis.region;
  ASSERT_TRUE(region.IsSet());
  const auto table = TableOf({AroundBeats(10, 40)});
  const auto& recording = Data().Source();
  EXPECT_DOUBLE_EQ(*RawValue(*table, 0, Column(*table, "Analysis Start")),
                   region.startOffset / kRate);
  // The region's end is its record's end of data when it names the record's end.
  const LONG end = region.endOffset == kRecordEndOffset ? LONG(recording.TickCount(0))
                                                         : region.endOffset;
  EXPECT_DOUBLE_EQ(*RawValue(*table, 0, Column(*table, "Analysis End")), end / kRate);
  EXPECT_EQ(FormatOf(*table, Column(*table, "Analysis Start")), "General");
  EXPECT_EQ(FormatOf(*table, Column(*table, "Analysis End")), "HH:mm:ss.00");
  EXPECT_EQ(table->Cell(0, Column(*table, "Analysis End")).text, "00:02:00.00");

  // The open end of a region analysed while sampling is where the data ends now, never the
  // record word 0x7FFFFFFE.
  Settings().analysis.region = {250, 0, kRecordEndOffset, Rhyth::kRegionOpenEndRecord};
  Tarn::ClearRecordedCalls();
  table->Evaluate();
  EXPECT_EQ(*RawValue(*table, 0, Column(*table, "Analysis Start")), 1.0);
  EXPECT_DOUBLE_EQ(*RawValue(*table, 0, Column(*table, "Analysis End")),
                   recording.TickCount(0) / kRate);
  EXPECT_EQ(DocumentTest::CallsOf("Tabulon", "FillTimeValue"),
            (std::vector<std::string>{"FillTimeValue(offset=250 record=0 flags=1207959552)",
                                      "FillTimeValue(offset=30000 record=0 flags=1207959552)"}));
}

TEST_F(Measurements, AnUnsetRegionHasNoTimesAndTheHostIsNotAskedForOne) {
  Settings().analysis.region = {};
  Tarn::ClearRecordedCalls();
  const auto table = TableOf({WholeRecord(*hosted)});
  for (const char* name : {"Analysis Start", "Analysis End"}) {
    const PendrelHost::MeasurementCell& cell = table->Cell(0, Column(*table, name));
    EXPECT_EQ(cell.result, E_FAIL) << name;
    EXPECT_EQ(cell.text, "") << name;
    EXPECT_FALSE(RawValue(*table, 0, Column(*table, name))) << name;
  }
  EXPECT_EQ(DocumentTest::CallsOf("Tabulon", "FillTimeValue"), std::vector<std::string>{});
  EXPECT_EQ(table->Cell(0, Column(*table, "Average RR")).result, S_OK);
}

TEST_F(Measurements, SelectionsWithoutIntervalsGiveNoValue) {
  const LONG ticks = LONG(Data().Source().TickCount(0));
  const auto table = TableOf({
      {"a point", {ticks / 2, 0}, {ticks / 2, 0}},
      {"a record that is not there", {0, 5}, {100, 5}},
      {"past the data", {ticks + 100, 0}, {ticks + 200, 0}},
      {"between two beats", BetweenBeats(20).start, BetweenBeats(20).end},
  });
  for (std::size_t row = 0; row < table->RowCount(); ++row) {
    for (std::size_t column = 0; column < table->Columns().size(); ++column) {
      SCOPED_TRACE(table->Selection(row).label + ": " + table->Columns()[column].name);
      EXPECT_EQ(table->Cell(row, column).result, E_FAIL);
      EXPECT_EQ(table->Cell(row, column).text, "");
    }
  }
}

// A beat's interval reaches back to the beat before it, inside the selection or not.
TEST_F(Measurements, OneIntervalHasNoSpreadAndNoPowerShares) {
  const auto table = TableOf({AroundBeats(20, 20)});
  ASSERT_EQ(*RawValue(*table, 0, Column(*table, "Total Beats")), 1.0);
  EXPECT_GT(*RawValue(*table, 0, Column(*table, "Average RR")), 500.0);
  EXPECT_GT(*RawValue(*table, 0, Column(*table, "RMSSD")), 0.0);
  for (const char* zero : {"SDRR", "SDSD", "SD1", "SD2", "SD Rate", "SDARR", "Total Power",
                           "VLF Power", "LF Power", "HF Power"}) {
    EXPECT_EQ(*RawValue(*table, 0, Column(*table, zero)), 0.0) << zero;
  }
  EXPECT_EQ(*RawValue(*table, 0, Column(*table, "pRRx")), 0.0);
  EXPECT_EQ(table->Cell(0, Column(*table, "pRRx")).unit, "%");
  // Shares of no power are no value at all, not NaN.
  for (const char* empty : {"VLF Power (%)", "LF Power (%)", "HF Power (%)", "LF Power (nu)",
                            "HF Power (nu)", "LF/HF"}) {
    const PendrelHost::MeasurementCell& cell = table->Cell(0, Column(*table, empty));
    EXPECT_EQ(cell.result, E_FAIL) << empty;
    EXPECT_EQ(cell.text, "") << empty;
  }
}

TEST_F(Measurements, TheEngineRunsOncePerDocumentSelectionAndSettings) {
  const MeasurementSelection whole = WholeRecord(*hosted);
  const unsigned long before = Rhyth::SharedAnalysisRuns();
  auto table = std::make_unique<MeasurementTable>(*hosted);
  table->AddRows({whole, AroundBeats(10, 60)});
  table->Evaluate();
  EXPECT_EQ(Rhyth::SharedAnalysisRuns() - before, 2u) << "one per row";
  table->Evaluate();
  EXPECT_EQ(Rhyth::SharedAnalysisRuns() - before, 2u) << "nothing changed";

  const double prrx = *RawValue(*table, 0, Column(*table, "pRRx"));
  Settings().analysis.prrxThreshold = 0.001;
  table->Evaluate();
  EXPECT_EQ(Rhyth::SharedAnalysisRuns() - before, 4u) << "the settings changed";
  EXPECT_GT(*RawValue(*table, 0, Column(*table, "pRRx")), prrx);

  const Rhyth::BeatPosition added{whole.end.offset / 2 + 37, 0};
  Analysis().GetData().UserEvents()->Add(&added, FALSE);
  table->Evaluate();
  EXPECT_EQ(Rhyth::SharedAnalysisRuns() - before, 6u) << "the user's beats changed";

  // A second table over the same selections shares the analyses the first one holds.
  const auto second = TableOf({whole});
  EXPECT_EQ(Rhyth::SharedAnalysisRuns() - before, 6u);
  EXPECT_EQ(*RawValue(*second, 0, Column(*second, "pRRx")),
            *RawValue(*table, 0, Column(*table, "pRRx")));
}

TEST_F(Measurements, TheTablePrintsAsTextAndCsv) {
  const auto table = TableOf({WholeRecord(*hosted), AroundBeats(20, 20)});
  std::ostringstream text, csv;
  table->WriteText(text);
  table->WriteCsv(csv);
  const std::string average = table->Cell(0, Column(*table, "Average RR")).text;
  EXPECT_NE(text.str().find("whole record\n"), std::string::npos);
  EXPECT_NE(text.str().find("  Average RR:     " + average + " ms\n"), std::string::npos);
  EXPECT_NE(text.str().find("  LF/HF:          \n"), std::string::npos) << text.str();

  std::istringstream lines(csv.str());
  std::string header, first, second;
  std::getline(lines, header);
  std::getline(lines, first);
  std::getline(lines, second);
  EXPECT_EQ(header.rfind("Selection,Analysis Start,Analysis End,Total Beats,", 0), 0u);
  EXPECT_NE(header.find(",Average RR (ms),"), std::string::npos);
  EXPECT_NE(header.find(",Total Power (ms\xC2\xB2),"), std::string::npos);
  EXPECT_NE(header.find(",Average Rate (BPM),"), std::string::npos);
  EXPECT_EQ(std::count(first.begin(), first.end(), ','), 27);
  EXPECT_EQ(second.substr(second.size() - 3), ",,\r") << "no shares of no power";
}

TEST_F(Measurements, RowsForEveryMinuteOrRecordOrTheSelection) {
  const auto& recording = Data().Source();
  const auto minutes = PendrelHost::RowsPerInterval(recording, 60.0);
  ASSERT_EQ(minutes.size(), 2u);
  EXPECT_EQ(minutes[1].start.offset, LONG(60 * kRate));
  EXPECT_EQ(minutes[1].end.offset, LONG(recording.TickCount(0)));
  EXPECT_EQ(PendrelHost::RowsPerRecord(recording).size(), 1u);
  EXPECT_THROW(PendrelHost::RowsPerInterval(recording, 0.0), std::invalid_argument);
  EXPECT_TRUE(PendrelHost::RowsForSelection(recording).empty());
  Data().Selected().SelectRange({250, 0}, {5000, 0});
  const auto selected = PendrelHost::RowsForSelection(recording);
  ASSERT_EQ(selected.size(), 1u);
  EXPECT_EQ(selected[0].end.offset, 5000);

  std::ostringstream csv;
  PendrelHost::PrintMeasurements(*hosted, minutes, PendrelHost::MeasurementOutput::kCsv, csv);
  const std::string text = csv.str();
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3);
  EXPECT_NE(text.find("\r\nRecord 1 part 2,"), std::string::npos) << text;
}

}  // namespace
}  // namespace MeasurementTest
