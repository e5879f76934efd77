// What the measurement tests share: the module's 27 measurements in the host's table over an
// analysed document, the engine run alone over a row's selection with the document's settings
// (the values the table must show), and the check of a row against numpy and scipy.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

#include "analysis/engine/analysis_engine.h"
#include "analysis/tests/document/analysis_host.h"
#include "host/tabulon/measurement_table.h"

namespace MeasurementTest {

// The engine over a selection, as a measurement analyses it.
struct AloneAnalysis {
  Quor::ComPtr<Rhyth::Settings> settings;
  Rhyth::AnalysisEngine engine;
  DWORD intervals = 0;
};
void AnalyseAlone(Rhyth::Document& document, const PendrelHost::MeasurementSelection& selection,
                  AloneAnalysis& alone);

// Every statistic of the row (all but the region times) is the engine's field after the
// table's scaling, with its unit, number format and value type.
void ExpectTheEnginesValues(const PendrelHost::MeasurementTable& table, std::size_t row,
                            const AloneAnalysis& alone);

// The value a cell's function holds: a number, or none when it holds no value.
std::optional<double> RawValue(const PendrelHost::MeasurementTable& table, std::size_t row,
                               std::size_t column);

// Why the numpy and scipy check cannot run here; empty when it can.
std::string ReferenceCheckUnavailable();

// The input of the check scripts: the settings, the row's beats (from the engine run alone) and
// the table's values, one a line.
void WriteCheckInput(std::ostream& out, const PendrelHost::MeasurementTable& table,
                     std::size_t row, const AloneAnalysis& alone, double regionStart,
                     double regionEnd);
// Runs a check script with Debian's own interpreter on the file, which it then removes; what
// the script printed is the result's message.
testing::AssertionResult RunCheckScript(const std::string& script,
                                        const std::filesystem::path& file);

// Writes the row's beats (from the engine run alone) and values to a file and runs
// check_measurements.py on it.
testing::AssertionResult AgreesWithNumpyAndScipy(const PendrelHost::MeasurementTable& table,
                                                 std::size_t row, const AloneAnalysis& alone,
                                                 double regionStart, double regionEnd);

// The selection of the whole first record.
PendrelHost::MeasurementSelection WholeRecord(const PendrelHost::HostedDocument& document);

}  // namespace MeasurementTest
