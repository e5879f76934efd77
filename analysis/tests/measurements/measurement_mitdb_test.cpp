// The 27 measurements over the first minute of MIT-BIH record 100 (../shared/data/mitdb-100s):
// the engine's values on the beats the module finds, and the same values from numpy and scipy.
#include <gtest/gtest.h>

#include <filesystem>

#include "analysis/document/document.h"
#include "analysis/messages/document_messages.h"
#include "analysis/tests/measurements/measurement_checks.h"
#include "host/recording/recording_file.h"
#include "host/tests/signal/beat_matching.h"

namespace MeasurementTest {
namespace {

using PendrelHost::Testing::MitBihExcerptFolder;

constexpr double kRate = 360.0;

class MitBihMeasurements : public AnalysisDocumentTest::AnalysisHost {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(MitBihExcerptFolder()))
      GTEST_SKIP() << MitBihExcerptFolder() << " is absent: the shared test data is not here";
    AnalysisHost::SetUp();
    Open(PendrelHost::LoadRecordingFile(MitBihExcerptFolder() / "100s.csv"));
    // Limits around this rhythm's own mean RR, ectopic beats kept (as the document tests).
    Settings().classifier.rrLow = 0.7;
    Settings().classifier.rrHigh = 1.1;
    Settings().analysis.excludeEctopic = 0;
    Send(Rhyth::AnalyzeMsg::Id());
  }
};

TEST_F(MitBihMeasurements, TheTableShowsTheEnginesValuesAndNumpyAgrees) {
  const PendrelHost::MeasurementSelection whole = WholeRecord(*hosted);
  PendrelHost::MeasurementTable table(*hosted);
  table.AddRow(whole);
  table.Evaluate();
  AloneAnalysis alone;
  AnalyseAlone(Analysis(), whole, alone);
  ASSERT_EQ(alone.intervals, 72u);
  EXPECT_EQ(*RawValue(table, 0, table.ColumnOf("Ectopic Beats")), 1.0);
  ExpectTheEnginesValues(table, 0, alone);
  if (const std::string why = ReferenceCheckUnavailable(); !why.empty()) GTEST_SKIP() << why;
  EXPECT_TRUE(AgreesWithNumpyAndScipy(table, 0, alone, 0.0, whole.end.offset / kRate));
}

}  // namespace
}  // namespace MeasurementTest
