#include "analysis/tests/document/online_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "analysis/messages/document_messages.h"
#include "analysis/settings/change_flags.h"
#include "host/recording/synthetic_ecg.h"

namespace AnalysisDocumentTest {

namespace {

std::vector<double> Values(const Rhyth::DoubleArray& a) { return {a.begin(), a.end()}; }

void ExpectNear(double online, double offline, const char* what) {
  EXPECT_NEAR(online, offline, 1e-9 * std::max(1.0, std::fabs(offline))) << what;
}

}  // namespace

void OnlineSession::OpenForSampling(PendrelHost::Recording recording) {
  source = std::move(recording);
  target = PendrelHost::EmptyRecordingLike(source);
  hosted.reset();
  hosted = std::make_unique<PendrelHost::HostedDocument>(PendrelHost::OpenDocument(target));
  hosted->StartNew();
  Send(Rhyth::ToggleOnlineModeMsg::Id());
  ASSERT_EQ(Settings().analysis.onlineMode, 1);
  simulator = std::make_unique<PendrelHost::SamplingSimulator>(source, target, Data());
}

PendrelHost::ReplayResult OnlineSession::Replay(const PendrelHost::ReplayOptions& options,
                                                const PendrelHost::SamplingObserver& observer) {
  return simulator->Replay(options, observer);
}

std::unique_ptr<Rhyth::AnalysisEngine> OnlineSession::Offline() {
  auto engine = std::make_unique<Rhyth::AnalysisEngine>();
  engine->AnalyseRange(Rhyth::kChangeEverything, Analysis().DataSource(), Settings(),
                       Analysis().Detector().GetFiducialChannel());
  return engine;
}

void OnlineSession::ExpectOfflineResults(const Rhyth::AnalysisEngine& offline,
                                         std::size_t records) {
  const Rhyth::AnalysisEngine& online = Analysis().Engine();
  ASSERT_FALSE(online.IsOnline());
  ASSERT_GT(offline.RRIntervals().GetCount(), 2u);
  EXPECT_EQ(Values(online.RRIntervals()), Values(offline.RRIntervals()));
  EXPECT_EQ(Values(online.DeltaRR()), Values(offline.DeltaRR()));
  EXPECT_EQ(Values(online.BeatTimes()), Values(offline.BeatTimes()));
  EXPECT_EQ(online.NormalCount(), offline.NormalCount());
  EXPECT_EQ(online.EctopicCount(), offline.EctopicCount());
  EXPECT_EQ(online.PoincarePoints().GetCount(), offline.PoincarePoints().GetCount());

  const Rhyth::TimeDomainStatistics& a = online.TimeDomain();
  const Rhyth::TimeDomainStatistics& b = offline.TimeDomain();
  EXPECT_EQ(a.intervalCount, b.intervalCount);
  EXPECT_EQ(a.largeDifferenceCount, b.largeDifferenceCount);
  ExpectNear(a.MeanRR(), b.MeanRR(), "mean RR");
  ExpectNear(a.SDRR(), b.SDRR(), "SDRR");
  ExpectNear(a.SDSD(), b.SDSD(), "SDSD");
  ExpectNear(a.RMSSD(), b.RMSSD(), "RMSSD");
  ExpectNear(a.SDRate(), b.SDRate(), "SD rate");
  ExpectNear(a.SD1(), b.SD1(), "SD1");
  ExpectNear(a.SD2(), b.SD2(), "SD2");
  EXPECT_EQ(online.Segments().meanCount, offline.Segments().meanCount);
  ExpectNear(online.Segments().SDARR(), offline.Segments().SDARR(), "SDARR");

  const Rhyth::Spectrum& p = online.SpectrumResults();
  const Rhyth::Spectrum& q = offline.SpectrumResults();
  ASSERT_EQ(p.power.GetCount(), q.power.GetCount());
  for (DWORD j = 0; j < p.power.GetCount(); ++j) ExpectNear(p.power[j], q.power[j], "power");
  ExpectNear(p.total, q.total, "total power");
  ExpectNear(p.vlf, q.vlf, "VLF");
  ExpectNear(p.lf, q.lf, "LF");
  ExpectNear(p.hf, q.hf, "HF");

  // The histograms: online at the fixed width, offline at whatever the settings ask for; the
  // same beats in both.
  const double fixed = Settings().analysis.binWidth;
  EXPECT_EQ(a.rrHistogram.binWidth, fixed);
  EXPECT_EQ(a.deltaHistogram.binWidth, fixed);
  Rhyth::Histogram rebuilt;
  rebuilt.Build(offline.RRIntervals().begin(), offline.RRIntervals().GetCount(), fixed);
  EXPECT_EQ(a.rrHistogram.origin, rebuilt.origin);
  EXPECT_EQ(Values(a.rrHistogram.counts), Values(rebuilt.counts));
  // The median: online read from the histogram, within a bin of the exact one.
  EXPECT_EQ(a.medianRR, a.rrHistogram.Median(a.intervalCount));
  EXPECT_NEAR(a.medianRR, b.medianRR, fixed);

  // The classifier list: online it keeps each record's first interval, which has no change of
  // RR; the rest are the offline list's points in its order.
  const Rhyth::BeatPointArray& kept = online.ClassifierPoints();
  const Rhyth::BeatPointArray& read = offline.ClassifierPoints();
  EXPECT_EQ(kept.GetCount(), read.GetCount() + records);
  DWORD j = 0;
  for (DWORD i = 0; i < kept.GetCount() && j < read.GetCount(); ++i) {
    if (kept[i].position == read[j].position && kept[i].record == read[j].record) ++j;
  }
  EXPECT_EQ(j, read.GetCount());
}

PendrelHost::Recording MultiRecordSample(std::size_t records, double seconds, double rate) {
  PendrelHost::SyntheticEcgSettings settings;
  settings.sampleRate = rate;
  settings.duration = seconds * double(records);
  const PendrelHost::Recording whole = PendrelHost::MakeSyntheticEcg(settings).recording;
  PendrelHost::Recording cut(rate);
  cut.AddChannel(whole.Channel(0));
  const auto samples = whole.Samples(0, 0);
  const std::size_t length = samples.size() / records;
  for (std::size_t r = 0; r < records; ++r) {
    const std::size_t record = cut.AddRecord(60.0 * double(r));
    const std::span<const float> block[] = {samples.subspan(r * length, length)};
    cut.AppendSamples(record, block);
    cut.CloseRecord(record);
  }
  return cut;
}

}  // namespace AnalysisDocumentTest
