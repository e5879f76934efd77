#include "analysis/engine/analysis_engine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <vector>

#include "analysis/settings/change_flags.h"
#include "analysis/tests/beat_list_source.h"
#include "analysis/tests/held_settings.h"
#include "platform/win32/cursor.h"

namespace {

using Rhyth::AnalysisEngine;
using Rhyth::FiducialEvent;
using RhythTest::BeatListSource;
using RhythTest::BeatsWithIntervals;
using RhythTest::HeldSettings;
using RhythTest::kBeatChannel;
using RhythTest::MakeBeat;
using RhythTest::Values;

constexpr DWORD kEverything = Rhyth::kChangeEverything;

// A region over whole records: from offset 0 of the first to the end of the last.
void SetRegion(Rhyth::Settings& settings, LONG startRecord, LONG endRecord,
               LONG startOffset = 0, LONG endOffset = kRecordEndOffset) {
  settings.analysis.region = {startOffset, startRecord, endOffset, endRecord};
}

struct EngineTest : ::testing::Test {
  Quor::ComPtr<BeatListSource> source = BeatListSource::Create();
  HeldSettings settings;
  AnalysisEngine engine;

  DWORD Analyse(DWORD flags = kEverything) {
    return engine.AnalyseRange(flags, source.Get(), *settings, kBeatChannel);
  }
};

TEST_F(EngineTest, BeatsEnterTheSeriesOnlyWithBothUsableFlags) {
  const struct {
    FiducialEvent beat;
    bool classified, admitted, normal;
  } cases[] = {
      {MakeBeat(1000, 0.80, 0.01, 0x300), true, true, true},
      {MakeBeat(2000, 0.90, 0.10, 0x301), true, true, false},
      {MakeBeat(3000, 0.85, 0.05, 0x100), true, false, false},
      {MakeBeat(4000, 0.95, 0.05, 0x200), true, false, false},
      {MakeBeat(5000, 0.81, 0.01, 0x10300), true, true, true},
      {MakeBeat(kRecordEndOffset, 0.83, 0.02, 0x300), false, false, false},
      {MakeBeat(6000, NAN, 0.02, 0x300), false, false, false},
      {MakeBeat(7000, 0.84, NAN, 0x300), false, false, false},
  };
  std::vector<FiducialEvent> beats;
  for (const auto& c : cases) beats.push_back(c.beat);
  source->AddRecord(beats);
  SetRegion(*settings, 0, 0);
  EXPECT_EQ(Analyse(), 3u);
  EXPECT_EQ(Values(engine.RRIntervals()), (std::vector<double>{0.80, 0.90, 0.81}));
  EXPECT_EQ(engine.NormalCount(), 2u);
  EXPECT_EQ(engine.EctopicCount(), 1u);
  ASSERT_EQ(engine.ClassifierPoints().GetCount(), 5u);
  EXPECT_EQ(engine.ClassifierPoints()[3].position, 4000);
  EXPECT_EQ(engine.ClassifierPoints()[3].x, 0.95);
  EXPECT_EQ(engine.ClassifierPoints()[3].y, 1.2);
  const Rhyth::BeatPoint& poincare = engine.PoincarePoints()[1];
  EXPECT_DOUBLE_EQ(poincare.x, 0.80);
  EXPECT_EQ(poincare.y, 0.90);
  EXPECT_EQ(poincare.position, 2000);
  EXPECT_EQ(Values(engine.BeatTimes()), (std::vector<double>{1.0, 2.0, 5.0}));
}

TEST_F(EngineTest, ClassifierRangesAreTheDefaultBoxUntilAResetThenTheBeatsRead) {
  const Rhyth::ClassifierRanges& r = engine.Ranges();
  EXPECT_EQ(r.rrLow, 0.8);
  EXPECT_EQ(r.rrHigh, 1.2);
  EXPECT_EQ(r.ffLow, 1.0);
  EXPECT_EQ(r.ffHigh, 1.5);
  source->AddRecord({});
  SetRegion(*settings, 0, 0);
  Analyse();
  EXPECT_TRUE(std::isnan(r.rrLow) && std::isnan(r.rrHigh) && std::isnan(r.ffLow) &&
              std::isnan(r.ffHigh));
  source->records[0].events = {MakeBeat(100, 0.7, 0.1, 0x100, 1.3),
                               MakeBeat(200, 1.4, 0.1, 0x300, 0.9)};
  Analyse();
  EXPECT_EQ(r.rrLow, 0.7);
  EXPECT_EQ(r.rrHigh, 1.4);
  EXPECT_EQ(r.ffLow, 0.9);
  EXPECT_EQ(r.ffHigh, 1.3);
}

TEST_F(EngineTest, ARegionReadsItsRecordsFromTheStartOffsetToTheEndOffset) {
  for (int i = 0; i < 4; ++i) source->AddRecord(BeatsWithIntervals({0.8, 0.8, 0.8, 0.8}));
  const struct {
    LONG startOffset, startRecord, endOffset, endRecord;
    std::vector<RhythTest::OpenedEnumerator> expected;
    DWORD beats;
  } cases[] = {
      {900, 1, 2500, 1, {{kBeatChannel, 1, 900, 2500, 0xC0000000}}, 2},
      {1000, 0, 1700, 2,
       {{kBeatChannel, 0, 1000, kRecordEndOffset, 0xC0000000},
        {kBeatChannel, 1, 0, kRecordEndOffset, 0xC0000000},
        {kBeatChannel, 2, 0, 1700, 0xC0000000}},
       3 + 4 + 2},
      // The open end of online analysis runs to the last record.
      {0, 3, kRecordEndOffset, Rhyth::kRegionOpenEndRecord,
       {{kBeatChannel, 3, 0, kRecordEndOffset, 0xC0000000}}, 4},
      // Regions that end before they start read nothing.
      {0, 2, kRecordEndOffset, 1, {}, 0},
      {2000, 1, 1000, 1, {{kBeatChannel, 1, 2000, 1000, 0xC0000000}}, 0},
      {0, Rhyth::kRegionNotSet, 0, Rhyth::kRegionNotSet, {}, 0},
  };
  for (const auto& c : cases) {
    source->opened.clear();
    settings->analysis.region = {c.startOffset, c.startRecord, c.endOffset, c.endRecord};
    EXPECT_EQ(Analyse(), c.beats) << c.startRecord << ":" << c.startOffset;
    ASSERT_EQ(source->opened.size(), c.expected.size()) << c.startRecord << ":" << c.startOffset;
    for (std::size_t i = 0; i < c.expected.size(); ++i) {
      const auto& o = source->opened[i];
      const auto& e = c.expected[i];
      EXPECT_EQ(o.channel, e.channel);
      EXPECT_EQ(o.record, e.record);
      EXPECT_EQ(o.start, e.start);
      EXPECT_EQ(o.end, e.end);
      EXPECT_EQ(o.kind, 0x80000000u | 0x40000000u);
    }
  }
}

TEST_F(EngineTest, ANamedChannelIsOpenedWithItsOwnKind) {
  source->AddRecord(BeatsWithIntervals({0.8}));
  SetRegion(*settings, 0, 0);
  engine.AnalyseRange(kEverything, source.Get(), *settings, {3, 0xC0000004});
  ASSERT_EQ(source->opened.size(), 1u);
  EXPECT_EQ(source->opened[0].kind, 0x80000004u);
}

TEST_F(EngineTest, BeatTimesComeFromTheRecordInformation) {
  // dt 2 ms, start 100 s, offset 4 s, tick base 10: tick p is at 100 - 0.02 - 4 + (p - 10)·0.002.
  const PendrelRecordInfo info = {0.002, 100.0, 0.0, 4.0, 0.0, 10, 0};
  source->AddRecord({MakeBeat(510, 0.8, 0.0)}, info);
  source->AddRecord({MakeBeat(10, 0.8, 0.0)}, RhythTest::kMillisecondTicks);
  SetRegion(*settings, 0, 1);
  Analyse();
  EXPECT_EQ(Values(engine.BeatTimes()), (std::vector<double>{100 - 0.02 - 4 + 500 * 0.002, 0.01}));
  EXPECT_EQ(engine.PoincarePoints()[0].record, 0);
  EXPECT_EQ(engine.PoincarePoints()[1].record, 1);
}

TEST_F(EngineTest, AnEmptyRegionOrASingleBeatGivesZeroStatistics) {
  source->AddRecord({});
  SetRegion(*settings, 0, 0);
  EXPECT_EQ(Analyse(), 0u);
  EXPECT_EQ(engine.TimeDomain().MeanRR(), 0.0);
  EXPECT_EQ(engine.SpectrumResults().total, 0.0);
  EXPECT_NEAR(engine.Segments().SDARR(), 0.0, 1e-12);

  source->records[0].events = {MakeBeat(800, 0.8, 0.05)};
  EXPECT_EQ(Analyse(), 1u);
  const Rhyth::TimeDomainStatistics& td = engine.TimeDomain();
  EXPECT_EQ(td.MeanRR(), 0.8);
  EXPECT_DOUBLE_EQ(td.RMSSD(), 0.05);
  for (double v : {td.SDRR(), td.SDSD(), td.SD1(), td.SD2(), td.SDRate(),
                   engine.Segments().SDARR()}) {
    EXPECT_EQ(v, 0.0);
  }
  const Rhyth::Spectrum& sp = engine.SpectrumResults();
  for (double p : {sp.total, sp.vlf, sp.lf, sp.hf}) EXPECT_EQ(p, 0.0);
}

TEST_F(EngineTest, AConstantSeriesHasNoSpreadAndNoPower) {
  source->AddRecord(BeatsWithIntervals(std::vector<double>(600, 0.8)));
  SetRegion(*settings, 0, 0);
  EXPECT_EQ(Analyse(), 600u);
  EXPECT_EQ(engine.TimeDomain().SDRR(), 0.0);
  const Rhyth::Spectrum& sp = engine.SpectrumResults();
  for (double p : {sp.total, sp.vlf, sp.lf, sp.hf}) EXPECT_EQ(p, 0.0);
  // The open end of the record lies past the second segment, which therefore counts.
  EXPECT_EQ(engine.Segments().meanCount, 2u);
  EXPECT_NEAR(engine.Segments().SDARR(), 0.0, 1e-12);
}

TEST_F(EngineTest, PartialFlagsRecomputeFromTheStoredSeriesWithoutReading) {
  source->AddRecord(BeatsWithIntervals({0.801, 0.829, 0.85, 0.9}));
  SetRegion(*settings, 0, 0);
  Analyse();
  const double total = engine.SpectrumResults().total;
  source->opened.clear();
  settings->analysis.binWidth = 0.02;
  settings->spectrum.hfHigh = 0.3;
  EXPECT_EQ(Analyse(Rhyth::kChangeHistograms | Rhyth::kChangeSpectrumBands), 4u);
  EXPECT_TRUE(source->opened.empty());
  EXPECT_EQ(engine.TimeDomain().rrHistogram.binWidth, 0.02);
  EXPECT_EQ(engine.TimeDomain().rrHistogram.origin, 40);
  EXPECT_EQ(engine.SpectrumResults().total, total);
  // No engine bit: nothing at all.
  EXPECT_EQ(Analyse(0xFF000000), 0u);
  EXPECT_TRUE(source->opened.empty());
}

TEST_F(EngineTest, AFullAnalysisRestoresTheCursor) {
  source->AddRecord(BeatsWithIntervals({0.8, 0.9}));
  SetRegion(*settings, 0, 0);
  HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
  SetCursor(arrow);
  Analyse();
  EXPECT_EQ(GetCursor(), arrow);
}

TEST_F(EngineTest, EventRecordsOfAnotherSizeAreReadAtTheirOwnStrideOrRefused) {
  source->AddRecord(BeatsWithIntervals({0.8, 0.9, 0.85}));
  SetRegion(*settings, 0, 0);
  source->eventSize = 88;
  EXPECT_EQ(Analyse(), 3u);
  EXPECT_EQ(Values(engine.RRIntervals()), (std::vector<double>{0.8, 0.9, 0.85}));
  source->eventSize = 40;
  EXPECT_EQ(Analyse(), 0u);
  source->eventSize = 80;
  source->refuseEnumerators = true;
  EXPECT_EQ(Analyse(), 0u);
  EXPECT_EQ(engine.AnalyseRange(kEverything, nullptr, *settings, kBeatChannel), 0u);
}

TEST_F(EngineTest, ManyBlocksOfEventsAreAllRead) {
  source->AddRecord(BeatsWithIntervals(std::vector<double>(1000, 0.5)));
  SetRegion(*settings, 0, 0);
  EXPECT_EQ(Analyse(), 1000u);
  EXPECT_EQ(engine.BeatTimes()[999], 500.0);
}

TEST_F(EngineTest, WriteRRIntervalsWritesOneIntervalPerLine) {
  std::wostringstream text;
  EXPECT_EQ(engine.WriteRRIntervals(text), 1);
  EXPECT_EQ(text.str(), L"");
  source->AddRecord(BeatsWithIntervals({0.8, 0.925}));
  SetRegion(*settings, 0, 0);
  Analyse();
  EXPECT_EQ(engine.WriteRRIntervals(text), 0);
  EXPECT_EQ(text.str(), L"0.8\n0.925\n");
}

TEST(SIPrefix, LettersOfTheExponentsAndUnitsWithThem) {
  const std::pair<int, WCHAR> letters[] = {
      {-24, u'y'}, {-21, u'z'}, {-18, u'a'}, {-15, u'f'}, {-12, u'p'}, {-9, u'n'},
      {-6, u'\u00B5'}, {-3, u'm'}, {0, 0}, {3, u'k'}, {6, u'M'}, {9, u'G'},
      {12, u'T'}, {15, u'P'}, {18, u'E'}, {21, u'Z'}, {24, u'Y'}, {1, 0}, {27, 0}, {-2, 0},
  };
  for (auto [exponent, letter] : letters) {
    EXPECT_EQ(AnalysisEngine::SIPrefixChar(exponent), letter) << exponent;
  }
  EXPECT_EQ(AnalysisEngine::FormatWithSIPrefix(-3, u"s"), u"ms");
  EXPECT_EQ(AnalysisEngine::FormatWithSIPrefix(-3, u"s\u00B2"), u"ms\u00B2");
  EXPECT_EQ(AnalysisEngine::FormatWithSIPrefix(0, u"s"), u"s");
  EXPECT_TRUE(AnalysisEngine::FormatWithSIPrefix(-3, u"").IsEmpty());
}

}  // namespace
