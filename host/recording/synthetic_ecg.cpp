#include "host/recording/synthetic_ecg.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "host/recording/cardiac_phase.h"
#include "host/recording/ecg_model.h"
#include "host/recording/r_peak_tracker.h"
#include "host/recording/recording_error.h"
#include "host/recording/seeded_random.h"

namespace PendrelHost {

namespace {

// The R wave lasts a few tens of milliseconds; integration steps stay well below that at any
// sample rate.
constexpr double kMinInternalRate = 2000.0;
// The recording begins in diastole, before the first P wave.
constexpr double kStartPhase = -std::numbers::pi / 2.0;
// Samples are written in blocks of this many.
constexpr std::size_t kBlockSamples = 65536;

void Check(bool valid, const std::string& what) {
  if (!valid) throw RecordingError("the synthetic ECG needs " + what);
}

void CheckSettings(const SyntheticEcgSettings& s) {
  Check(std::isfinite(s.duration) && s.duration > 0.0, "a positive duration");
  Check(s.duration * s.sampleRate < 2147483647.0, "fewer than 2^31 samples");
  Check(std::isfinite(s.meanHeartRate) && s.meanHeartRate > 0.0, "a positive mean heart rate");
  Check(std::isfinite(s.heartRateStd) && s.heartRateStd >= 0.0, "a heart rate deviation of 0 or more");
  Check(std::isfinite(s.noise) && s.noise >= 0.0, "a noise level of 0 or more");
  Check(std::isfinite(s.baselineWander), "a finite baseline wander");
  const HrvSpectrum& f = s.spectrum;
  Check(f.lfFrequency > 0.0 && f.hfFrequency > 0.0 && f.lfWidth >= 0.0 && f.hfWidth >= 0.0 && f.lfHfRatio >= 0.0,
        "positive spectral peaks of widths and LF/HF ratio 0 or more");
}

// Integrates the model exactly in its linear decay and with Simpson's rule in its drive, so
// that each step costs two evaluations of the waves.
class EcgIntegrator {
 public:
  EcgIntegrator(const RrProcess& rr, const SyntheticEcgSettings& s, double step)
      : m_phase(rr, kStartPhase),
        m_step(step),
        m_decay(std::exp(-step)),
        m_halfDecay(std::exp(-step / 2.0)),
        m_wander(s.baselineWander / kMillivoltsPerModelUnit),
        m_respiration(2.0 * std::numbers::pi * s.spectrum.hfFrequency),
        m_previousDrive(Drive(0.0)) {}

  // Value after the step that ends at `time`.
  double StepTo(double time) {
    const double middle = Drive(time - m_step / 2.0);
    const double end = Drive(time);
    m_value = m_decay * m_value + m_step / 6.0 * (m_decay * m_previousDrive + 4.0 * m_halfDecay * middle + end);
    m_previousDrive = end;
    return m_value;
  }
  double Phase() const { return m_phase.Phase(); }

 private:
  double Drive(double time) {
    m_phase.AdvanceTo(time);
    const double speed = m_phase.AngularSpeed() / (2.0 * std::numbers::pi);
    return speed * WaveDrive(m_phase.Phase()) + m_wander * std::sin(m_respiration * time);
  }

  CardiacPhase m_phase;
  double m_step;
  double m_decay;
  double m_halfDecay;
  double m_wander;
  double m_respiration;
  double m_previousDrive;
  double m_value = 0.0;
};

}  // namespace

SyntheticEcg MakeSyntheticEcg(const SyntheticEcgSettings& settings) {
  CheckSettings(settings);
  SyntheticEcg ecg{Recording(settings.sampleRate), {}};
  ecg.recording.AddChannel({"ECG", "mV"});
  const std::size_t record = ecg.recording.AddRecord(0.0);

  SeededRandom random(settings.seed);
  const double meanRr = 60.0 / settings.meanHeartRate;
  const double rrStd = 60.0 * settings.heartRateStd / (settings.meanHeartRate * settings.meanHeartRate);
  const RrProcess rr(meanRr, rrStd, settings.spectrum, random);

  const int substeps = std::max(1, static_cast<int>(std::ceil(kMinInternalRate / settings.sampleRate)));
  const double step = 1.0 / (settings.sampleRate * substeps);
  EcgIntegrator model(rr, settings, step);
  RPeakTracker peaks;

  const int64_t total = std::llround(settings.duration * settings.sampleRate);
  ecg.recording.ReserveTicks(record, total);
  std::vector<float> block;
  block.reserve(kBlockSamples);
  double value = 0.0;
  for (int64_t sample = 0; sample < total; ++sample) {
    if (sample > 0) {
      for (int k = 1; k <= substeps; ++k) {
        const double time = ((sample - 1) * substeps + k) * step;
        value = model.StepTo(time);
        peaks.Observe(time, value, model.Phase());
      }
    }
    block.push_back(static_cast<float>(value * kMillivoltsPerModelUnit + settings.noise * random.Normal()));
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
