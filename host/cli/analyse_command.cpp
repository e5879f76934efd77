#include "host/cli/analyse_command.h"

#include <unistd.h>

#include <optional>
#include <stdexcept>

#include "host/cli/analysis_session.h"
#include "host/cli/measurement_printer.h"
#include "host/cli/online_replay.h"
#include "host/cli/open_and_analyse.h"
#include "host/cli/output_files.h"
#include "host/cli/plot_output.h"
#include "host/cli/report_output.h"
#include "host/cli/sample_options.h"
#include "host/cli/settings_options.h"
#include "host/cli/trace_output.h"

namespace PendrelHost {

const char* const kAnalyseCommandUsage =
    "Usage: pendrel analyse [FILE] [OPTIONS]\n"
    "\n"
    "Analyses the heart rate variability of an ECG: finds the beats, builds the RR intervals\n"
    "and prints the 27 measurements as a table with units. FILE is a recording (CSV, EDF, BDF,\n"
    "GDF or MIT/WFDB) or a document saved with --save; without it, the built-in sample (a\n"
    "synthetic ECG) is analysed. A saved document keeps its analysis and the beats added or\n"
    "removed by hand and is not analysed again.\n"
    "\n"
    "Options:\n"
    "  --csv              print the measurements as CSV (measurement,value,unit)\n"
    "  --beats FILE       write the beats as CSV (record,tick,time_s,rr_s,class,ff,colour,\n"
    "                     tooltip): each beat's mark colour (#rrggbb) and tooltip as the\n"
    "                     host draws them\n"
    "  --rr FILE          write the RR intervals as text, one in seconds a line\n"
    "  --save DOC         save the document with its analysis\n"
    "  --trace OUT.svg    draw the analysed channel with a mark per beat in its colour, its\n"
    "                     tooltip shown on hover: the first 10 s, or from --from to --to\n"
    "  --report OUT       open the report view on the analysis and write the page it shows\n"
    "                     (OUT.html, UTF-8) or print it (OUT.pdf); may be given more than once\n"
    "  --plots DIR        open the six plot views on the analysis and write each, once painted,\n"
    "                     as DIR/<plot id>.png and DIR/<plot id>.svg (DIR is made when missing);\n"
    "                     a view that fails is named and the others are still written\n"
    "  --plot-size WxH    the plot views' size in pixels for --plots (default 800x600)\n"
    "  --online           replay the recording into a growing document, as the host samples,\n"
    "                     with the analysis in online mode; print the measurements at every\n"
    "                     recorded minute and when sampling stops (with --csv, CSV rows\n"
    "                     time_s,measurement,value,unit)\n"
    "  --speed X          with --online, replay at X times real time (default: as fast as\n"
    "                     possible)\n"
    "  --module PATH      the analysis module to load (default: librhyth.so beside pendrel)\n"
    "Each file is checked before the analysis and written whole: a failed write keeps what was\n"
    "there, and no output may replace the recording or document analysed.\n"
    "\n"
    "Settings (answered to the analysis settings dialog before the analysis):\n"
    "  --from S, --to S   analyse only these seconds of the first record (selection only)\n"
    "  --channel N|NAME   the channel to analyse, by index (from 0) or title\n"
    "  --preset NAME      a species preset: Human, Large Dog, Small Dog, Guinea Pig, Mouse,\n"
    "                     Pig, Rabbit, Rat or Custom (case and blanks do not matter)\n"
    "  --set NAME=VALUE   a field by its label, after the preset, e.g. --set 'Low pass filter=40';\n"
    "                     labels: Low pass filter, Window (of Auto levelling), Noise, Minimum\n"
    "                     peak height, Typical QRS width, Minimum period, Histogram bin width,\n"
    "                     Auto (bin width, 0 or 1), pRR threshold, SDARR averaging, Exclude\n"
    "                     ectopics from analysis (0 or 1), Maximum frequency, Number of\n"
    "                     frequencies, Spectral window; the pairs RR Interval, Complexity, VLF,\n"
    "                     LF and HF take LOW-HIGH (e.g. --set 'LF=0.04-0.15'), or one half as\n"
    "                     RR low limit, RR high limit, Complexity low limit, ..., HF high.\n"
    "                     Values are in seconds and hertz, as the settings are stored. The\n"
    "                     detection values (Low pass filter to Minimum period) take the Custom\n"
    "                     preset, whose values the dialog keeps.\n"
    "A setting the dialog refuses stops the command with status 2 before anything is analysed.\n"
    "\n"
    "The built-in sample takes the options of `pendrel channel` (--sample-rate, --duration,\n"
    "--heart-rate, --heart-rate-sd, --qrs-duration, --noise, --baseline-wander, --mains,\n"
    "--mains-frequency, --rate-change, --pause, --premature, --beat-height, --seed).\n"
    "\n"
    "Example: pendrel analyse 100.hea --beats beats.csv --rr rr.txt --save 100.rhy\n";

namespace {

struct AnalyseOptions {
  std::optional<std::string> file;
  bool csv = false;
  std::optional<std::string> beats;
  std::optional<std::string> rr;
  std::optional<std::string> save;
  std::vector<std::string> reports;
  std::optional<std::string> trace;
  std::optional<std::string> plots;
  std::optional<ViewFrameSize> plotSize;
  SyntheticEcgSettings sample;
  bool sampleOptionGiven = false;
  OnlineOptions online;
  SettingsRequest settings;
};

bool TakesValue(const std::string& option) {
  static const char* const kOwn[] = {"--beats", "--rr", "--save", "--report", "--trace",
                                     "--plots", "--plot-size"};
  for (const char* own : kOwn) {
    if (option == own) return true;
  }
  if (IsSettingsOption(option)) return true;
  // The sample's own options all take a value; asked with a value that fits any of them.
  SyntheticEcgSettings probe;
  try {
    return ParseSampleOption(option, "1,1", probe) || ParseSampleOption(option, "1", probe);
  } catch (const std::invalid_argument&) {
    return true;
  }
}

AnalyseOptions ParseAnalyseOptions(const std::vector<std::string>& arguments) {
  AnalyseOptions options;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument.size() < 2 || argument.rfind("--", 0) != 0) {
      if (options.file) throw std::invalid_argument("too many arguments: '" + argument + "'");
      options.file = argument;
      continue;
    }
    if (ParseOnlineOption(arguments, i, options.online)) continue;
    if (argument == "--csv") {
      options.csv = true;
      continue;
    }
    if (!TakesValue(argument)) throw std::invalid_argument("unknown option " + argument);
    if (i + 1 >= arguments.size()) throw std::invalid_argument(argument + " needs a value");
    const std::string& value = arguments[++i];
    if (argument == "--beats") {
      options.beats = value;
    } else if (argument == "--rr") {
      options.rr = value;
    } else if (argument == "--save") {
      options.save = value;
    } else if (argument == "--trace") {
      options.trace = value;
    } else if (argument == "--plots") {
      options.plots = value;
    } else if (argument == "--plot-size") {
      options.plotSize = ParsePlotSize(value);
    } else if (argument == "--report") {
      if (!IsReportFileName(value)) {
        throw std::invalid_argument("--report writes .html or .pdf files, not " + value);
      }
      options.reports.push_back(value);
    } else if (IsSettingsOption(argument)) {
      ParseSettingsOption(argument, value, options.settings);
    } else if (ParseSampleOption(argument, value, options.sample)) {
      options.sampleOptionGiven = true;
    } else {
      throw std::invalid_argument("unknown option " + argument);
    }
  }
  if (options.file && options.sampleOptionGiven) {
    throw std::invalid_argument("the built-in sample's options do not apply to a file");
  }
  if (options.plotSize && !options.plots) throw std::invalid_argument("--plot-size applies to --plots");
  CheckOnlineOptions(options.online);
  return options;
}

int WriteOutputs(AnalysisSession& session, const AnalyseOptions& options, std::FILE* err) {
  if (options.beats) session.WriteBeats(*options.beats);
  if (options.rr) session.WriteRRIntervals(*options.rr);
  if (options.save) session.Save(*options.save);
  for (const std::string& report : options.reports) WriteReport(session, report);
  if (options.trace) WriteTrace(session, *options.trace, options.settings.from, options.settings.to);
  if (!options.plots) return 0;
  return WritePlots(session, *options.plots, options.plotSize.value_or(ViewFrameSize{}), err) > 0 ? 1 : 0;
}

// A file or folder that cannot be written, or whose writing would replace what is analysed,
// stops the command before anything is analysed.
void CheckOutputs(const AnalyseOptions& options) {
  std::vector<std::pair<std::string, bool>> files;  // and whether it saves the document
  for (const auto* file : {&options.beats, &options.rr, &options.trace}) {
    if (*file) files.emplace_back(**file, false);
  }
  if (options.save) files.emplace_back(*options.save, true);
  for (const std::string& report : options.reports) files.emplace_back(report, false);
  for (const auto& [file, saving] : files) {
    if (options.file) CheckNotOverSource(file, *options.file, saving);
    CheckOutputFile(file);
  }
  if (options.plots) PreparePlotFolder(*options.plots);
}

int Analyse(const AnalyseOptions& options, std::FILE* out, std::FILE* err) {
  CheckOutputs(options);
  AnalysisSession session(isatty(fileno(err)) ? err : nullptr);
  if (options.online.enabled) {
    // The recording grows while it is sampled: there is no span of it to select yet.
    if (options.settings.from || options.settings.to) {
      throw SettingsRefused("--from and --to do not apply with --online");
    }
    const auto applySettings = [&] {
      if (!options.settings.IsEmpty()) ApplySettings(session, options.settings);
    };
    const int status = AnalyseOnline(session, options.file, options.sample, options.online,
                                     options.csv, applySettings, out, err);
    if (status != 0) return status;
    return WriteOutputs(session, options, err);
  }
  const AnalysisResults results =
      OpenAndAnalyse(session, options.file, options.sample, options.settings, err);
  if (results.beats.empty()) {
    std::fprintf(err, "pendrel: no beats found in %s\n",
                 options.file ? options.file->c_str() : "the built-in sample");
    return 1;
  }
  if (options.csv) {
    PrintMeasurementCsv(results.measurements, out);
  } else {
    PrintMeasurementTable(results.measurements, out);
  }
  return WriteOutputs(session, options, err);
}

}  // namespace

int RunAnalyseCommand(const std::vector<std::string>& arguments, std::FILE* out, std::FILE* err) {
  AnalyseOptions options;
  try {
    options = ParseAnalyseOptions(arguments);
  } catch (const std::invalid_argument& e) {
    std::fprintf(err, "pendrel analyse: %s (pendrel analyse --help)\n", e.what());
    return 2;
  }
  try {
    return Analyse(options, out, err);
  } catch (const SettingsRefused& e) {
    std::fprintf(err, "pendrel analyse: %s\n", e.what());
    return 2;
  } catch (const std::exception& e) {
    std::fprintf(err, "pendrel analyse: %s\n", e.what());
    return 1;
  }
}

}  // namespace PendrelHost
