#include "host/cli/channel_command.h"

#include <unistd.h>

#include <limits>
#include <stdexcept>

#include "host/channels/channel_error.h"
#include "host/channels/computed_channels.h"
#include "host/cli/calculated_channel_printer.h"
#include "host/cli/channel_options.h"
#include "host/cli/open_and_analyse.h"
#include "host/cli/channel_printer.h"
#include "host/recording/recording_error.h"
#include "host/recording/recording_file.h"
#include "host/recording/synthetic_ecg.h"

namespace PendrelHost {

const char* const kChannelCommandUsage =
    "Usage: pendrel channel [OPTIONS] [RECORDING] FORMULA\n"
    "       pendrel channel --calc MEASURE [OPTIONS] [FILE]\n"
    "\n"
    "Prints a computed channel as CSV: time_s,value for a sampled channel, or\n"
    "record,tick,time_s,value for an event channel. RECORDING is a CSV file (time_s and one\n"
    "column per channel) or an EDF, BDF, GDF or MIT/WFDB file; without it, the built-in sample,\n"
    "a synthetic ECG (McSharry et al. 2003), is used.\n"
    "\n"
    "FORMULA is in the host's arithmetic channel language: numbers, Ch1/RCh1 (channels by\n"
    "number), channel names, + - * /, parentheses and the functions lowpass(x, fc),\n"
    "differentiate(x, k), resample(x, 1, 1, 1, N, 0, 2) (a Hilbert transformer),\n"
    "normalizeSec(x, W, H, noise), cmpeakdet(x, h, Tmin, p) and sinewave(f).\n"
    "\n"
    "Options:\n"
    "  --define NAME=FORMULA  a named channel that later formulas may use (repeatable)\n"
    "  --from S, --to S       only the part between these seconds of each record\n"
    "\n"
    "The analysis module's channel calculation:\n"
    "  --calc MEASURE         analyse the recording (or open a document saved by pendrel\n"
    "                         analyse --save) as pendrel analyse does, add the calculation's\n"
    "                         channel with MEASURE picked in its dialog, and print it as\n"
    "                         record,tick,time_s,value, one row a beat. MEASURE is the beat\n"
    "                         measure's name in the dialog's list or its code: Beat Period (0),\n"
    "                         Change in Beat Period (1), Beat Rate (2), Beat Complexity (5)\n"
    "  --channel, --preset, --set  with --calc, the analysis settings of pendrel analyse;\n"
    "                         --from and --to then also make the analysed span\n"
    "\n"
    "Options of the built-in sample:\n"
    "  --sample-rate HZ       its rate (100 to 2000; default 1000)\n"
    "  --duration S           its length (default 300)\n"
    "  --heart-rate BPM       its mean heart rate (default 60)\n"
    "  --heart-rate-sd BPM    its heart rate's standard deviation (default 1)\n"
    "  --qrs-duration S       its QRS complexes' duration (0.002 to 1; default 0.08)\n"
    "  --noise MV             its white noise's standard deviation (default 0.01)\n"
    "  --baseline-wander MV   its baseline's swing with respiration (default 0.15)\n"
    "  --mains MV             its mains interference's amplitude (default 0)\n"
    "  --mains-frequency HZ   the mains frequency (default 50)\n"
    "  --rate-change S,BPM    from S seconds on, the mean heart rate is BPM\n"
    "  --pause S,LENGTH       the first interval from S seconds on lasts LENGTH seconds\n"
    "  --premature S,PART     the first interval from S seconds on is cut to PART of its\n"
    "                         length, and a compensatory pause follows\n"
    "  --beat-height S,FACTOR the first beat from S seconds on has its QRS complex FACTOR\n"
    "                         times as tall\n"
    "  --seed N               its random seed (default 1)\n"
    "The rhythm's options may be repeated.\n"
    "\n"
    "Example: the peak detector of the beat detection chain over the built-in sample\n"
    "  pendrel channel --define LPF='lowpass(Ch1,30)' --define DIF='differentiate(LPF,3)' \\\n"
    "    --define HLB='resample(DIF,1,1,1,160,0,2)' --define ENV='DIF*DIF+HLB*HLB' \\\n"
    "    'cmpeakdet(normalizeSec(ENV,5,2.5,0),3,0.3,30)'\n"
    "Example: the heart rate of each beat of the built-in sample\n"
    "  pendrel channel --calc 'Beat Rate' --duration 60\n";

namespace {

Recording OpenRecording(const ChannelOptions& options) {
  if (options.recording) return LoadRecordingFile(*options.recording);
  return MakeSyntheticEcg(options.sample).recording;
}

TimeRange PrintedRange(const ChannelOptions& options) {
  return {options.from, options.to.value_or(std::numeric_limits<double>::infinity())};
}

// The recording analysed by the loaded module, and the channel of its channel calculation.
int PrintCalculation(const ChannelOptions& options, std::FILE* out, std::FILE* err) {
  AnalysisSession session(isatty(fileno(err)) ? err : nullptr);
  const AnalysisResults results =
      OpenAndAnalyse(session, options.recording, options.sample, options.settings, err);
  if (results.beats.empty()) {
    std::fprintf(err, "pendrel channel: no beats found in %s\n",
                 options.recording ? options.recording->c_str() : "the built-in sample");
    return 1;
  }
  const std::string name = session.AddCalculatedChannel(*options.calc);
  PrintCalculatedChannel(session.Data(), name, PrintedRange(options), out);
  return 0;
}

int Print(const ChannelOptions& options, std::FILE* out) {
  const Recording recording = OpenRecording(options);
  const EventEnumeratorRegistry registry;
  ComputedChannels channels(recording, registry);
  for (const auto& [name, formula] : options.definitions) channels.SetFormula(channels.Add(name), formula);
  const ChannelValue channel = channels.Evaluate(options.formula);
  const TimeRange range = PrintedRange(options);
  if (channel.IsEvents()) {
    PrintEvents(recording, channel, range, out);
  } else {
    PrintSamples(recording, channel, range, out);
  }
  return 0;
}

}  // namespace

bool ChannelCommandNeedsModule(const std::vector<std::string>& arguments) {
  try {
    return ParseChannelOptions(arguments).calc.has_value();
  } catch (const std::invalid_argument&) {
    return false;  // the command says what is wrong with them
  }
}

int RunChannelCommand(const std::vector<std::string>& arguments, std::FILE* out, std::FILE* err) {
  ChannelOptions options;
  try {
    options = ParseChannelOptions(arguments);
  } catch (const std::invalid_argument& error) {
    std::fprintf(err, "pendrel channel: %s\n\n%s", error.what(), kChannelCommandUsage);
    return 2;
  }
  try {
    return options.calc ? PrintCalculation(options, out, err) : Print(options, out);
  } catch (const SettingsRefused& error) {
    std::fprintf(err, "pendrel channel: %s\n", error.what());
    return 2;
  } catch (const RecordingError& error) {
    std::fprintf(err, "pendrel channel: %s\n", error.what());
  } catch (const ChannelError& error) {
    std::fprintf(err, "pendrel channel: %s: %s\n", options.formula.c_str(), error.what());
  } catch (const std::exception& error) {
    std::fprintf(err, "pendrel channel: %s\n", error.what());
  }
  return 1;
}

}  // namespace PendrelHost
