#include "host/channels/signal_functions.h"

#include <cmath>
#include <memory>

#include "host/channels/fir_node.h"
#include "host/channels/function_arguments.h"
#include "host/channels/name_compare.h"
#include "host/channels/peak_level_node.h"
#include "host/channels/peak_detector_node.h"
#include "host/channels/sinewave_node.h"

namespace PendrelHost {

namespace {

// Longer kernels and windows are almost surely typing mistakes, and would make every block
// read that much data.
constexpr double kMaxReachSeconds = 60.0;
constexpr double kMaxWindowSeconds = 600.0;
// At and above this part of the sample rate the low-pass passes the signal unchanged.
constexpr double kPassingCutoff = 0.45;

using Builder = ChannelValue (*)(const FunctionArguments&, const CompileContext&);

ChannelValue Samples(std::shared_ptr<SignalNode> node) { return {std::nullopt, std::move(node), nullptr}; }

void CheckReach(const FunctionArguments& args, int64_t reach, double sampleRate, const char* what) {
  if (static_cast<double>(reach) / sampleRate > kMaxReachSeconds) {
    args.Fail(std::string(what) + " would reach more than " + NumberText(kMaxReachSeconds) +
              " s to either side of each sample");
  }
}

ChannelValue Lowpass(const FunctionArguments& args, const CompileContext& context) {
  args.ExpectCount(2);
  const auto input = args.Samples(0);
  const double cutoff = args.Number(1);
  const double rate = context.recording.SampleRate();
  if (cutoff <= 0.0) args.Fail("the cutoff must be above 0 Hz, not " + NumberText(cutoff));
  if (cutoff >= kPassingCutoff * rate) return Samples(input);
  CheckReach(args, LowpassReach(cutoff, rate), rate, "the filter for this cutoff");
  return Samples(std::make_shared<FirNode>(context.cache, input, LowpassTaps(cutoff, rate)));
}

ChannelValue Differentiate(const FunctionArguments& args, const CompileContext& context) {
  args.ExpectCount(2);
  const auto input = args.Samples(0);
  const int64_t points = args.WholeNumber(1);
  const double rate = context.recording.SampleRate();
  if (points < 2) args.Fail("the slope needs at least 2 points, not " + std::to_string(points));
  // The slope stays centred on its sample only over an odd number of points.
  const int64_t odd = points | 1;
  CheckReach(args, odd / 2, rate, "the slope");
  return Samples(std::make_shared<FirNode>(context.cache, input, SlopeTaps(odd, rate)));
}

ChannelValue Resample(const FunctionArguments& args, const CompileContext& context) {
  const auto refuse = [&] {
    args.Fail("only the form resample(x, 1, 1, 1, N, 0, 2), an N-tap Hilbert transformer, is available");
  };
  if (args.Count() != 7) refuse();
  const auto input = args.Samples(0);
  if (args.Number(1) != 1 || args.Number(2) != 1 || args.Number(3) != 1 || args.Number(5) != 0 ||
      args.Number(6) != 2) {
    refuse();
  }
  const int64_t taps = args.WholeNumber(4);
  if (taps < 3) args.Fail("the Hilbert transformer needs at least 3 taps, not " + std::to_string(taps));
  const int64_t odd = taps | 1;
  CheckReach(args, odd / 2, context.recording.SampleRate(), "the Hilbert transformer");
  return Samples(std::make_shared<FirNode>(context.cache, input, HilbertTaps(odd)));
}

ChannelValue NormalizeSec(const FunctionArguments& args, const CompileContext& context) {
  args.ExpectCount(4);
  const auto input = args.Samples(0);
  const double window = args.Number(1);
  const double lead = args.Number(2);
  const double noise = args.Number(3);
  const double rate = context.recording.SampleRate();
  if (window > kMaxWindowSeconds || std::abs(lead) > kMaxWindowSeconds) {
    args.Fail("the window and its start are limited to " + NumberText(kMaxWindowSeconds) + " s");
  }
  const int64_t windowTicks = std::llround(window * rate);
  if (windowTicks < 2) args.Fail("the window of " + NumberText(window) + " s holds fewer than 2 samples");
  if (noise < 0.0) args.Fail("the noise floor must be 0 or more, not " + NumberText(noise));
  return Samples(std::make_shared<PeakLevelNode>(context.cache, input, windowTicks,
                                                 std::llround(lead * rate), noise));
}

ChannelValue PeakDetect(const FunctionArguments& args, const CompileContext& context) {
  args.ExpectCount(4);
  const auto input = args.Samples(0);
  const double height = args.Number(1);
  const double period = args.Number(2);
  const double hysteresis = args.Number(3);
  if (period < 0.0 || period > kMaxWindowSeconds) {
    args.Fail("the minimum period must be from 0 to " + NumberText(kMaxWindowSeconds) + " s, not " +
              NumberText(period));
  }
  if (hysteresis < 0.0 || hysteresis > 100.0) {
    args.Fail("the hysteresis must be from 0 to 100 percent, not " + NumberText(hysteresis));
  }
  const PeakDetectorSettings settings{height, hysteresis / 100.0,
                                      std::llround(period * context.recording.SampleRate())};
  return {std::nullopt, nullptr, std::make_shared<PeakDetectorNode>(input, settings)};
}

ChannelValue Sinewave(const FunctionArguments& args, const CompileContext& context) {
  args.ExpectCount(1);
  return Samples(std::make_shared<SinewaveNode>(context.cache, context.recording, args.Number(0)));
}

struct Function {
  std::string_view name;
  std::string_view usage;
  Builder build;
};

constexpr Function kFunctions[] = {
    {"lowpass", "lowpass(signal, cutoff in Hz)", Lowpass},
    {"differentiate", "differentiate(signal, points)", Differentiate},
    {"resample", "resample(signal, 1, 1, 1, taps, 0, 2)", Resample},
    {"normalizeSec", "normalizeSec(signal, window in s, start in s before the sample, noise floor)", NormalizeSec},
    {"cmpeakdet", "cmpeakdet(signal, height, minimum period in s, hysteresis in percent)", PeakDetect},
    {"sinewave", "sinewave(frequency in Hz)", Sinewave},
};

}  // namespace

std::optional<ChannelValue> CallSignalFunction(std::string_view name, std::vector<ChannelValue> arguments,
                                               const CompileContext& context) {
  for (const Function& function : kFunctions) {
    if (SameName(function.name, name)) {
      return function.build(FunctionArguments(std::string(function.usage), std::move(arguments)), context);
    }
  }
  return std::nullopt;
}

}  // namespace PendrelHost
