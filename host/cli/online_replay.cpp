#include "host/cli/online_replay.h"

#include <cmath>
#include <stdexcept>

#include "host/cli/measurement_printer.h"
#include "host/cli/option_values.h"
#include "host/recording/recording_file.h"
#include "host/sampling/sampling_simulator.h"

namespace PendrelHost {

namespace {

constexpr double kSecondsBetweenTables = 60.0;

double SpeedArgument(const std::string& text) {
  const double speed = NumberArgument("--speed", text);
  if (!std::isfinite(speed) || speed <= 0) {
    throw std::invalid_argument("--speed needs a multiple of real time above 0, not '" + text +
                                "'");
  }
  return speed;
}

Recording LoadSource(AnalysisSession& session, const std::optional<std::string>& file,
                     const SyntheticEcgSettings& sample) {
  if (!file) {
    session.Progress("Making the built-in sample ...");
    return MakeSyntheticEcg(sample).recording;
  }
  // A saved document is complete: there is nothing left to sample.
  if (IsDocumentFile(*file)) {
    throw SessionError("--online replays a recording, not a saved document: " + *file);
  }
  session.Progress(("Reading " + *file + " ...").c_str());
  return LoadRecordingFile(*file);
}

int64_t TotalTicks(const Recording& recording) {
  int64_t ticks = 0;
  for (std::size_t r = 0; r < recording.RecordCount(); ++r) ticks += recording.TickCount(r);
  return ticks;
}

// "m:ss" of recorded time.
std::string ClockTime(double seconds) {
  const long whole = std::lround(std::floor(seconds));
  char text[32];
  std::snprintf(text, sizeof text, "%ld:%02ld", whole / 60, whole % 60);
  return text;
}

// Prints the measurements as the recording grows: a table (or CSV rows) at every recorded
// minute and one at the end, with the progress line kept on its own stream.
class OnlinePrinter {
 public:
  OnlinePrinter(AnalysisSession& session, const Recording& source, bool csv, std::FILE* out)
      : m_session(session),
        m_rate(source.SampleRate()),
        m_totalTicks(TotalTicks(source)),
        m_csv(csv),
        m_out(out) {}

  bool operator()(const SamplingStep& step) {
    if (step.phase != SamplingPhase::kBlock) return true;
    m_ticks += step.count;
    const double seconds = Seconds();
    ShowProgress(seconds);
    // The table at the end of the recording is the final one, printed when sampling stopped.
    if (seconds >= m_nextTable && m_ticks < m_totalTicks) {
      Print("At " + ClockTime(seconds));
      m_nextTable = (std::floor(seconds / kSecondsBetweenTables) + 1) * kSecondsBetweenTables;
    }
    return true;
  }

  // Returns the final results.
  AnalysisResults PrintFinal() {
    return Print("At " + ClockTime(Seconds()) + ", sampling stopped");
  }

 private:
  double Seconds() const { return double(m_ticks) / m_rate; }

  // Once a recorded second: the blocks come several a second.
  void ShowProgress(double seconds) {
    const std::string shown = ClockTime(seconds);
    if (shown == m_shownTime) return;
    m_shownTime = shown;
    m_session.Progress(
        ("Sampling " + shown + " of " + ClockTime(m_totalTicks / m_rate) + " ...").c_str());
  }

  AnalysisResults Print(const std::string& heading) {
    const AnalysisResults results = m_session.Results();
    m_session.Progress("");
    if (m_csv) {
      PrintTimedMeasurementCsv(results.measurements, Seconds(), m_tables == 0, m_out);
    } else {
      std::fprintf(m_out, "%s%s\n", m_tables == 0 ? "" : "\n", heading.c_str());
      PrintMeasurementTable(results.measurements, m_out);
    }
    std::fflush(m_out);
    ++m_tables;
    return results;
  }

  AnalysisSession& m_session;
  double m_rate;
  int64_t m_totalTicks;
  bool m_csv;
  std::FILE* m_out;
  int64_t m_ticks = 0;
  double m_nextTable = kSecondsBetweenTables;
  int m_tables = 0;
  std::string m_shownTime;
};

}  // namespace

bool ParseOnlineOption(const std::vector<std::string>& arguments, std::size_t& i,
                       OnlineOptions& options) {
  if (arguments[i] == "--online") {
    options.enabled = true;
    return true;
  }
  if (arguments[i] != "--speed") return false;
  if (i + 1 >= arguments.size()) throw std::invalid_argument("--speed needs a value");
  options.speed = SpeedArgument(arguments[++i]);
  options.speedGiven = true;
  return true;
}

void CheckOnlineOptions(const OnlineOptions& options) {
  if (options.speedGiven && !options.enabled) {
    throw std::invalid_argument("--speed applies only with --online");
  }
}

int AnalyseOnline(AnalysisSession& session, const std::optional<std::string>& file,
                  const SyntheticEcgSettings& sample, const OnlineOptions& options, bool csv,
                  const std::function<void()>& beforeSampling, std::FILE* out, std::FILE* err) {
  const Recording source = LoadSource(session, file, sample);
  const std::shared_ptr<Recording> target = EmptyRecordingLike(source);
  DataDocument& data = session.OpenForSampling(target);
  beforeSampling();
  session.FireMenu(u"Rhyth|OnlineMode");
  SamplingSimulator device(source, target, data);
  OnlinePrinter printer(session, source, csv, out);
  const ReplayResult replay =
      device.Replay(ReplayOptions{.speed = options.speed},
                    [&printer](const SamplingStep& step) { return printer(step); });
  if (replay.vetoed) throw SessionError("the analysis module refused to start sampling");
  const AnalysisResults results = printer.PrintFinal();
  for (const std::string& message : session.TakeMessages()) {
    std::fprintf(err, "pendrel: %s\n", message.c_str());
  }
  if (results.beats.empty()) {
    std::fprintf(err, "pendrel: no beats found in %s\n",
                 file ? file->c_str() : "the built-in sample");
    return 1;
  }
  return 0;
}

}  // namespace PendrelHost
