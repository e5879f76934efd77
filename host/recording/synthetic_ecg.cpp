#include "host/recording/synthetic_ecg.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "host/recording/beat_schedule.h"
#include "host/recording/cardiac_phase.h"
#include "host/recording/ecg_model.h"
#include "host/recording/r_peak_tracker.h"
#include "host/recording/recording_error.h"
#include "host/recording/seeded_random.h"

namespace PendrelHost {

namespace {

constexpr double kPi = std::numbers::pi;
// Integration steps stay well below the waves' widths at any sample rate: below half a
// millisecond for the P and T waves, and a fiftieth of the QRS duration for the R wave, whose
// width is a tenth of it.
constexpr double kMinInternalRate = 2000.0;
constexpr double kStepsPerQrsDuration = 50.0;
// Shorter complexes than a mouse's are not a heart's; longer ones leave no room for a beat.
constexpr double kShortestQrs = 0.002;
constexpr double kLongestQrs = 1.0;
// The recording begins in diastole, three quarters of the way through a cycle, before the
// first P wave.
constexpr double kStartInCycle = 0.75;
// Samples are written in blocks of this many.
constexpr std::size_t kBlockSamples = 65536;

void Check(bool valid, const std::string& what) {
  if (!valid) throw RecordingError("the synthetic ECG needs " + what);
}

bool Finite(double value) { return std::isfinite(value); }

void CheckRhythm(const RhythmEvents& r) {
  for (const RateChange& c : r.rateChanges) {
    Check(Finite(c.time) && Finite(c.heartRate) && c.heartRate > 0.0,
          "positive heart rates at finite times");
  }
  for (const Pause& p : r.pauses) {
    Check(Finite(p.time) && Finite(p.length) && p.length > 0.0,
          "pauses of positive length at finite times");
  }
  for (const PrematureBeat& p : r.prematureBeats) {
    Check(Finite(p.time) && p.coupling > 0.0 && p.coupling < 1.0,
          "premature beats at a part of the interval between 0 and 1, at finite times");
  }
  for (const BeatHeight& h : r.beatHeights) {
    Check(Finite(h.time) && Finite(h.factor) && h.factor > 0.0,
          "beat heights above 0 at finite times");
  }
}

void CheckSettings(const SyntheticEcgSettings& s) {
  Check(Finite(s.duration) && s.duration > 0.0, "a positive duration");
  Check(s.duration * s.sampleRate < 2147483647.0, "fewer than 2^31 samples");
  Check(Finite(s.meanHeartRate) && s.meanHeartRate > 0.0, "a positive mean heart rate");
  Check(Finite(s.heartRateStd) && s.heartRateStd >= 0.0, "a heart rate deviation of 0 or more");
  Check(s.qrsDuration >= kShortestQrs && s.qrsDuration <= kLongestQrs,
        "a QRS duration from 2 ms to 1 s");
  Check(Finite(s.noise) && s.noise >= 0.0, "a noise level of 0 or more");
  Check(Finite(s.baselineWander), "a finite baseline wander");
  Check(Finite(s.mains) && s.mains >= 0.0, "a mains amplitude of 0 or more");
  Check(Finite(s.mainsFrequency) && s.mainsFrequency > 0.0, "a positive mains frequency");
  const HrvSpectrum& f = s.spectrum;
  Check(f.lfFrequency > 0.0 && f.hfFrequency > 0.0 && f.lfWidth >= 0.0 && f.hfWidth >= 0.0 &&
            f.lfHfRatio >= 0.0,
        "positive spectral peaks of widths and LF/HF ratio 0 or more");
  CheckRhythm(s.rhythm);
}

// Integrates the model exactly in its linear decay and with Simpson's rule in its drive, so
// that each step costs two evaluations of the waves.
class EcgIntegrator {
 public:
  EcgIntegrator(BeatSchedule& beats, const SyntheticEcgSettings& s, double step)
      : m_phase(beats),
        m_qrsDuration(s.qrsDuration),
        m_step(step),
        m_decay(std::exp(-step)),
        m_halfDecay(std::exp(-step / 2.0)),
        m_respiration(2.0 * kPi * s.spectrum.hfFrequency),
        // The baseline follows its drive through the model's decay, which takes this much of
        // a swing at the respiratory rate.
        m_wander(s.baselineWander * std::hypot(1.0, m_respiration)),
        m_previousDrive(Drive(0.0)) {}

  // Value after the step that ends at `time`.
  double StepTo(double time) {
    const double middle = Drive(time - m_step / 2.0);
    const double end = Drive(time);
    m_value = m_decay * m_value +
              m_step / 6.0 * (m_decay * m_previousDrive + 4.0 * m_halfDecay * middle + end);
    m_previousDrive = end;
    return m_value;
  }

  // How far the last step's end lies from the nearest R wave, in QRS durations.
  double QrsOffset(double time) const {
    const double last = time - m_phase.LastBeat().time;
    const double next = time - m_phase.NextBeat().time;
    return (std::abs(last) < std::abs(next) ? last : next) / m_qrsDuration;
  }

 private:
  double Drive(double time) {
    m_phase.AdvanceTo(time);
    return m_phase.AngularSpeed() * PAndTSlope(m_phase.Phase()) + QrsDrive(time) +
           m_wander * std::sin(m_respiration * time);
  }

  // The complexes of the beats on either side; each reaches less than its duration.
  double QrsDrive(double time) const {
    double slope = 0.0;
    for (const ScheduledBeat& beat : {m_phase.LastBeat(), m_phase.NextBeat()}) {
      slope += beat.height * QrsSlope((time - beat.time) / m_qrsDuration);
    }
    return slope / m_qrsDuration;
  }

  CardiacPhase m_phase;
  double m_qrsDuration;
  double m_step;
  double m_decay;
  double m_halfDecay;
  double m_respiration;
  double m_wander;
  double m_previousDrive;
  double m_value = 0.0;
};

int SubstepsPerSample(const SyntheticEcgSettings& s) {
  const double internalRate = std::max(kMinInternalRate, kStepsPerQrsDuration / s.qrsDuration);
  return std::max(1, static_cast<int>(std::ceil(internalRate / s.sampleRate)));
}

}  // namespace

SyntheticEcg MakeSyntheticEcg(const SyntheticEcgSettings& settings) {
  CheckSettings(settings);
  SyntheticEcg ecg{Recording(settings.sampleRate), {}};
  ecg.recording.AddChannel({"ECG", "mV"});
  const std::size_t record = ecg.recording.AddRecord(0.0);

  SeededRandom random(settings.seed);
  // The variation is a ratio to the mean interval, whatever the rate of the moment.
  const RrProcess variation(1.0, settings.heartRateStd / settings.meanHeartRate,
                            settings.spectrum, random);
  const double firstBeat = -kStartInCycle * 60.0 / settings.meanHeartRate * variation.At(0.0);
  BeatSchedule beats(variation, settings.meanHeartRate, settings.rhythm, firstBeat);

  const int substeps = SubstepsPerSample(settings);
  const double step = 1.0 / (settings.sampleRate * substeps);
  EcgIntegrator model(beats, settings, step);
  RPeakTracker peaks;

  const int64_t total = std::llround(settings.duration * settings.sampleRate);
  ecg.recording.ReserveTicks(record, total);
  std::vector<float> block;
  block.reserve(kBlockSamples);
  double value = 0.0;
  const double mainsSpeed = 2.0 * kPi * settings.mainsFrequency;
  for (int64_t sample = 0; sample < total; ++sample) {
    if (sample > 0) {
      for (int k = 1; k <= substeps; ++k) {
        const double time = ((sample - 1) * substeps + k) * step;
        value = model.StepTo(time);
        peaks.Observe(time, value, model.QrsOffset(time));
      }
    }
    const double time = static_cast<double>(sample) / settings.sampleRate;
    const double measured = value + settings.noise * random.Normal() +
                            settings.mains * std::sin(mainsSpeed * time);
    block.push_back(static_cast<float>(measured));
    if (block.size() == kBlockSamples || sample + 1 == total) {
      const std::span<const float> channels[] = {block};
      ecg.recording.AppendSamples(record, channels);
      block.clear();
    }
  }
  peaks.Finish();
  ecg.recording.CloseRecord(record);
  ecg.beatTimes = peaks.PeakTimes();
  return ecg;
}

}  // namespace PendrelHost
