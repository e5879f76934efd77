// Runs the analysis engine over one recording described on standard input and writes every
// result as JSON, for check_engine_reference.py to hold against numpy and scipy.
//
// Input, one item per line:
//   settings <bin width> <automatic> <threshold> <segment length> <max frequency>
//            <frequencies> <window> <vlf low> <vlf high> <lf low> <lf high> <hf low> <hf high>
//   record <tick period> <start time> <time offset> <tick base>
//   region <start offset> <end offset>
//   beat <position> <rr> <delta> <rate> <flags>
#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/engine/analysis_engine.h"
#include "analysis/settings/change_flags.h"
#include "analysis/engine/lomb_scargle.h"
#include "analysis/tests/beat_list_source.h"

namespace {

double ReadNumber(std::istream& in) {
  std::string word;
  in >> word;
  return std::stod(word);  // reads "nan" as well
}

struct Case {
  Rhyth::Settings* settings = new Rhyth::Settings;
  PendrelRecordInfo info = RhythTest::kMillisecondTicks;
  std::vector<Rhyth::FiducialEvent> beats;

  Case() { settings->AddRef(); }
  ~Case() { settings->Release(); }
};

void ReadCase(std::istream& in, Case& c) {
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream item(line);
    std::string kind;
    item >> kind;
    Rhyth::Settings& s = *c.settings;
    if (kind == "settings") {
      s.analysis.binWidth = ReadNumber(item);
      s.analysis.automaticBinWidth = DWORD(ReadNumber(item));
      s.analysis.prrxThreshold = ReadNumber(item);
      s.analysis.sdarrSegmentLength = ReadNumber(item);
      s.spectrum.maxFrequency = ReadNumber(item);
      s.spectrum.frequencyCount = DWORD(ReadNumber(item));
      s.spectrum.window = DWORD(ReadNumber(item));
      for (double* edge : {&s.spectrum.vlfLow, &s.spectrum.vlfHigh, &s.spectrum.lfLow,
                           &s.spectrum.lfHigh, &s.spectrum.hfLow, &s.spectrum.hfHigh}) {
        *edge = ReadNumber(item);
      }
    } else if (kind == "record") {
      c.info.tickPeriod = ReadNumber(item);
      c.info.startTime = ReadNumber(item);
      c.info.timeOffset = ReadNumber(item);
      c.info.tickBase = LONG(ReadNumber(item));
    } else if (kind == "region") {
      s.analysis.region.startOffset = LONG(ReadNumber(item));
      s.analysis.region.endOffset = LONG(ReadNumber(item));
      s.analysis.region.startRecord = s.analysis.region.endRecord = 0;
    } else if (kind == "beat") {
      Rhyth::FiducialEvent beat{};
      beat.position = LONG(ReadNumber(item));
      beat.rr = ReadNumber(item);
      beat.deltaRR = ReadNumber(item);
      beat.rate = ReadNumber(item);
      beat.flags = DWORD(ReadNumber(item));
      beat.ff = 1.2;
      c.beats.push_back(beat);
    }
  }
}

class JsonWriter {
 public:
  void Number(const char* key, double value) { Key(key) << Format(value); }
  void Numbers(const char* key, const double* values, DWORD n) {
    std::ostream& out = Key(key) << '[';
    for (DWORD i = 0; i < n; ++i) out << (i ? "," : "") << Format(values[i]);
    out << ']';
  }
  void Numbers(const char* key, const Rhyth::DoubleArray& values) {
    Numbers(key, values.begin(), values.GetCount());
  }
  void Finish() { std::cout << "}\n"; }

 private:
  std::ostream& Key(const char* key) {
    std::cout << (m_first ? "{" : ",\n") << '"' << key << "\":";
    m_first = false;
    return std::cout;
  }
  static std::string Format(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text == std::string("nan") || text == std::string("-nan") ? "NaN" : text;
  }
  bool m_first = true;
};

}  // namespace

int main() {
  Case c;
  ReadCase(std::cin, c);
  auto source = RhythTest::BeatListSource::Create();
  source->AddRecord(c.beats, c.info);

  Rhyth::AnalysisEngine engine;
  const DWORD n = engine.AnalyseRange(Rhyth::kChangeEverything, source.Get(), *c.settings,
                                      {7, 0xC0000000});
  const Rhyth::TimeDomainStatistics& td = engine.TimeDomain();
  const Rhyth::SegmentMeans& seg = engine.Segments();
  const Rhyth::Spectrum& sp = engine.SpectrumResults();
  std::vector<double> z(n);
  Rhyth::DetrendAndWindow(c.settings->spectrum.window, engine.BeatTimes().begin(),
                          engine.RRIntervals().begin(), n, z.data());

  JsonWriter json;
  json.Number("n", n);
  json.Numbers("t", engine.BeatTimes());
  json.Numbers("rr", engine.RRIntervals());
  json.Numbers("delta", engine.DeltaRR());
  for (auto [name, value] : {std::pair{"mean_rr", td.MeanRR()}, {"sdrr", td.SDRR()},
                             {"cvrr", td.CVRR()}, {"mean_rate", td.MeanRate()},
                             {"sd_rate", td.SDRate()}, {"sdsd", td.SDSD()}, {"rmssd", td.RMSSD()},
                             {"prrx", td.PRRx()}, {"sd1", td.SD1()}, {"sd2", td.SD2()},
                             {"median", td.medianRR}, {"sum_rr", td.rr.sum},
                             {"sum_squares_delta", td.delta.sumOfSquares},
                             {"rr_bin_width", td.rrHistogram.binWidth},
                             {"rr_origin", double(td.rrHistogram.origin)},
                             {"delta_bin_width", td.deltaHistogram.binWidth},
                             {"delta_origin", double(td.deltaHistogram.origin)},
                             {"segment_count", double(seg.meanCount)},
                             {"segment_sum", seg.means.sum}, {"sdarr", seg.SDARR()},
                             {"df", sp.df}, {"total", sp.total}, {"vlf", sp.vlf}, {"lf", sp.lf},
                             {"hf", sp.hf}}) {
    json.Number(name, value);
  }
  json.Numbers("rr_counts", td.rrHistogram.counts);
  json.Numbers("delta_counts", td.deltaHistogram.counts);
  json.Numbers("z", z.data(), n);
  json.Numbers("power", sp.power);
  json.Finish();
  return 0;
}
