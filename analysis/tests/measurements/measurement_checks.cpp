#include "analysis/tests/measurements/measurement_checks.h"

#include <cmath>
#include <cstdio>
#include <functional>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "analysis/document/document.h"
#include "analysis/settings/change_flags.h"

namespace MeasurementTest {

namespace {

constexpr const char* kPython = "/usr/bin/python3";

// Runs a command, gives its exit status and what it printed.
int Run(const std::string& command, std::string& output) {
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return -1;
  char buffer[512];
  while (std::fgets(buffer, sizeof buffer, pipe)) output += buffer;
  return pclose(pipe);
}

std::string Number(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%.17g", value);
  return text;
}

struct ColumnCase {
  const char* name;
  const char* unit;
  const char* format;
  VARTYPE type;
  // The engine's value before the table's scaling.
  std::function<double(const Rhyth::AnalysisEngine&)> value;
  double scale;
};

const Rhyth::TimeDomainStatistics& T(const Rhyth::AnalysisEngine& e) { return e.TimeDomain(); }
const Rhyth::Spectrum& S(const Rhyth::AnalysisEngine& e) { return e.SpectrumResults(); }

const std::vector<ColumnCase>& StatisticColumns() {
  static const std::vector<ColumnCase> cases = {
      {"Total Beats", "", "General", VT_I4,
       [](auto& e) { return double(e.NormalCount() + e.EctopicCount()); }, 1},
      {"Normal Beats", "", "General", VT_I4, [](auto& e) { return double(e.NormalCount()); }, 1},
      {"Ectopic Beats", "", "General", VT_I4, [](auto& e) { return double(e.EctopicCount()); }, 1},
      {"Average RR", "ms", "0.0###", VT_R8, [](auto& e) { return T(e).MeanRR(); }, 1e3},
      {"Median RR", "ms", "0.0###", VT_R8, [](auto& e) { return T(e).medianRR; }, 1e3},
      {"SDRR", "ms", "0.0###", VT_R8, [](auto& e) { return T(e).SDRR(); }, 1e3},
      {"CVRR", "", "0.0###", VT_R8, [](auto& e) { return T(e).CVRR(); }, 1},
      {"Average Rate", "BPM", "0.0###", VT_R8, [](auto& e) { return T(e).MeanRate(); }, 1},
      {"SD Rate", "BPM", "0.0###", VT_R8, [](auto& e) { return T(e).SDRate(); }, 1},
      {"SDSD", "ms", "0.0###", VT_R8, [](auto& e) { return T(e).SDSD(); }, 1e3},
      {"RMSSD", "ms", "0.0###", VT_R8, [](auto& e) { return T(e).RMSSD(); }, 1e3},
      {"pRRx", "%", "0.0###", VT_R8, [](auto& e) { return T(e).PRRx(); }, 1},
      {"SD1", "ms", "0.0###", VT_R8, [](auto& e) { return T(e).SD1(); }, 1e3},
      {"SD2", "ms", "0.0###", VT_R8, [](auto& e) { return T(e).SD2(); }, 1e3},
      {"SDARR", "ms", "0.0###", VT_R8, [](auto& e) { return e.Segments().SDARR(); }, 1e3},
      {"Total Power", "ms\u00B2", "0.0###", VT_R8, [](auto& e) { return S(e).total; }, 1e6},
      {"VLF Power", "ms\u00B2", "0.0###", VT_R8, [](auto& e) { return S(e).vlf; }, 1e6},
      {"VLF Power (%)", "", "0.0###", VT_R8,
       [](auto& e) { return 100 * S(e).vlf / S(e).total; }, 1},
      {"LF Power", "ms\u00B2", "0.0###", VT_R8, [](auto& e) { return S(e).lf; }, 1e6},
      {"LF Power (%)", "", "0.0###", VT_R8, [](auto& e) { return 100 * S(e).lf / S(e).total; }, 1},
      {"LF Power (nu)", "", "0.0###", VT_R8,
       [](auto& e) { return 100 * S(e).lf / (S(e).total - S(e).vlf); }, 1},
      {"HF Power", "ms\u00B2", "0.0###", VT_R8, [](auto& e) { return S(e).hf; }, 1e6},
      {"HF Power (%)", "", "0.0###", VT_R8, [](auto& e) { return 100 * S(e).hf / S(e).total; }, 1},
      {"HF Power (nu)", "", "0.0###", VT_R8,
       [](auto& e) { return 100 * S(e).hf / (S(e).total - S(e).vlf); }, 1},
      {"LF/HF", "", "0.0###", VT_R8, [](auto& e) { return S(e).lf / S(e).hf; }, 1},
  };
  return cases;
}

}  // namespace

void ExpectTheEnginesValues(const PendrelHost::MeasurementTable& table, std::size_t row,
                            const AloneAnalysis& alone) {
  for (const ColumnCase& c : StatisticColumns()) {
    SCOPED_TRACE(c.name);
    const std::size_t column = table.ColumnOf(c.name);
    ASSERT_NE(column, std::string_view::npos);
    const PendrelHost::MeasurementCell& cell = table.Cell(row, column);
    EXPECT_EQ(cell.result, S_OK);
    EXPECT_EQ(cell.unit, c.unit);
    VARIANT value;
    VariantInit(&value);
    table.Function(row, column)->GetValue(&value);
    EXPECT_EQ(value.vt, c.type);
    IQuorString* format = nullptr;
    table.Function(row, column)->GetNumberFormat(0, 0, &format);
    Quor::String formatText;
    formatText.Adopt(format);
    EXPECT_EQ(formatText.ToUtf8String(), c.format);
    const double expected = c.value(alone.engine) * c.scale;
    ASSERT_TRUE(std::isfinite(expected));
    EXPECT_DOUBLE_EQ(*RawValue(table, row, column), expected);
    EXPECT_FALSE(cell.text.empty());
  }
}

void AnalyseAlone(Rhyth::Document& document, const PendrelHost::MeasurementSelection& selection,
                  AloneAnalysis& alone) {
  alone.settings.Attach(document.GetSettings().Clone());
  alone.settings->source.selectionOnly = 1;
  alone.settings->analysis.region = {selection.start.offset, selection.start.record,
                                     selection.end.offset, selection.end.record};
  alone.intervals = alone.engine.AnalyseRange(Rhyth::kChangeEverything, document.DataSource(),
                                              *alone.settings.Get(),
                                              document.Detector().GetFiducialChannel());
}

std::optional<double> RawValue(const PendrelHost::MeasurementTable& table, std::size_t row,
                               std::size_t column) {
  VARIANT value;
  VariantInit(&value);
  table.Function(row, column)->GetValue(&value);
  std::optional<double> number;
  if (value.vt == VT_R8) number = value.dblVal;
  if (value.vt == VT_I4) number = value.lVal;
  VariantClear(&value);
  return number;
}

std::string ReferenceCheckUnavailable() {
  if (!std::filesystem::exists(kPython)) return std::string(kPython) + " is absent";
  std::string output;
  if (Run(std::string(kPython) + " -c 'import numpy, scipy.signal'", output) != 0) {
    return "numpy or scipy is missing from " + std::string(kPython) + ": " + output;
  }
  return {};
}

void WriteCheckInput(std::ostream& out, const PendrelHost::MeasurementTable& table,
                     std::size_t row, const AloneAnalysis& alone, double regionStart,
                     double regionEnd) {
  const Rhyth::Settings& s = *alone.settings.Get();
  out << "settings " << Number(s.analysis.prrxThreshold) << ' '
      << Number(s.analysis.sdarrSegmentLength) << ' ' << Number(regionStart) << ' '
      << Number(regionEnd) << ' ' << Number(s.spectrum.maxFrequency) << ' '
      << s.spectrum.frequencyCount << ' ' << s.spectrum.window;
  for (double edge : {s.spectrum.vlfLow, s.spectrum.vlfHigh, s.spectrum.lfLow,
                      s.spectrum.lfHigh, s.spectrum.hfLow, s.spectrum.hfHigh}) {
    out << ' ' << Number(edge);
  }
  out << '\n';
  const Rhyth::AnalysisEngine& e = alone.engine;
  for (DWORD i = 0; i < e.RRIntervals().GetCount(); ++i) {
    out << "beat " << Number(e.BeatTimes()[i]) << ' ' << Number(e.RRIntervals()[i]) << ' '
        << Number(e.DeltaRR()[i]) << '\n';
  }
  for (std::size_t column = 0; column < table.Columns().size(); ++column) {
    IQuorString* name = nullptr;
    table.Columns()[column].classObject->GetClassName(&name);
    Quor::String internal;
    internal.Adopt(name);
    out << "value " << internal.ToUtf8String();
    if (const auto value = RawValue(table, row, column)) out << ' ' << Number(*value);
    out << '\n';
  }
}

testing::AssertionResult RunCheckScript(const std::string& script,
                                        const std::filesystem::path& file) {
  std::string output;
  const int status = Run(std::string(kPython) + ' ' + script + ' ' + file.string(), output);
  std::filesystem::remove(file);
  if (status == 0) return testing::AssertionSuccess() << output;
  return testing::AssertionFailure() << output;
}

testing::AssertionResult AgreesWithNumpyAndScipy(const PendrelHost::MeasurementTable& table,
                                                 std::size_t row, const AloneAnalysis& alone,
                                                 double regionStart, double regionEnd) {
  const auto file = std::filesystem::temp_directory_path() /
                    ("rhyth_measurements_" + std::to_string(getpid()) + ".txt");
  {
    std::ofstream out(file);
    WriteCheckInput(out, table, row, alone, regionStart, regionEnd);
  }
  return RunCheckScript(MEASUREMENT_CHECK_SCRIPT, file);
}

PendrelHost::MeasurementSelection WholeRecord(const PendrelHost::HostedDocument& document) {
  const LONG ticks = LONG(document.Data().Source().TickCount(0));
  return {"whole record", {0, 0}, {ticks, 0}};
}

}  // namespace MeasurementTest
