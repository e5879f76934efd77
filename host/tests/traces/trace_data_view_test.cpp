#include <functional>
#include <random>

#include <gtest/gtest.h>

#include "host/framework/call_log.h"
#include "host/framework/held_reference.h"
#include "host/traces/trace_data_view.h"
#include "host/tests/traces/record_lengths_source.h"

using PendrelHost::TraceDataView;

namespace {

// Rational pixel arithmetic written out independently: a record of n ticks at t/p ticks per pixel
// spans ceil(n p / t) pixels, pixel q of a record shows tick floor(q t / p), tick k starts at
// pixel floor(k p / t).
struct Reference {
  std::vector<LONG> ticks;
  long double perPixel;  // ticks per pixel

  long long Width(std::size_t record) const {
    const long double exact = ticks[record] / perPixel;
    long long width = (long long)exact;
    if ((long double)width < exact - 1e-9L) ++width;
    return width;
  }
  long long First(std::size_t record) const {
    long long first = 0;
    for (std::size_t i = 0; i < record; ++i) first += Width(i);
    return first;
  }
};

struct Compression {
  LONGLONG ticks;
  LONGLONG pixels;
};

class TraceDataViewTest : public ::testing::TestWithParam<Compression> {};

TEST_P(TraceDataViewTest, PixelsAndPositionsAgreeWithTheirDefinition) {
  const Compression c = GetParam();
  RecordLengthsSource records({12345, 700001});
  Tarn::HeldReference<TraceDataView> view(new TraceDataView(&records, nullptr));
  view->AddRef();
  ASSERT_EQ(view->SetCompression(c.ticks, c.pixels), S_OK);
  const Reference reference{{12345, 700001}, (long double)c.ticks / c.pixels};

  LONGLONG extent = 0;
  view->GetDataExtent(&extent);
  EXPECT_EQ(extent, reference.Width(0) + reference.Width(1));

  std::vector<LONGLONG> pixels = {0, reference.Width(0) - 1, reference.Width(0),
                                  reference.Width(0) + 1, extent - 1};
  std::mt19937_64 random(7);
  for (int i = 0; i < 200; ++i) pixels.push_back(LONGLONG(random() % ULONGLONG(extent)));
  for (LONGLONG pixel : pixels) {
    SCOPED_TRACE(pixel);
    LONG record = -1;
    LONG tick = -1;
    ASSERT_EQ(view->PixelToPosition(pixel, &record, &tick), S_OK);
    const std::size_t expectedRecord = pixel < reference.Width(0) ? 0 : 1;
    EXPECT_EQ(record, LONG(expectedRecord));
    const long long within = pixel - reference.First(expectedRecord);
    const LONG expectedTick = LONG((__int128(within) * c.ticks) / c.pixels);
    EXPECT_EQ(tick, expectedTick);
    EXPECT_LT(tick, reference.ticks[expectedRecord]);

    LONGLONG back = -1;
    ASSERT_EQ(view->PositionToPixel(record, tick, &back), S_OK);
    EXPECT_EQ(back, reference.First(expectedRecord) +
                        LONGLONG((__int128(tick) * c.pixels) / c.ticks));
    // Back to the first pixel of the tick: the same pixel when a pixel holds whole ticks.
    if (c.pixels == 1) {
      EXPECT_EQ(back, pixel);
    }
    EXPECT_LE(back, pixel);
  }
  LONG record = 0;
  LONG tick = 0;
  EXPECT_EQ(view->PixelToPosition(extent, &record, &tick), S_FALSE);
  EXPECT_EQ(view->PixelToPosition(-1, &record, &tick), S_FALSE);
  EXPECT_EQ(record, kRecordEndOffset);
}

INSTANTIATE_TEST_SUITE_P(Compressions, TraceDataViewTest,
                         ::testing::Values(Compression{1, 10}, Compression{1, 1},
                                           Compression{7, 3}, Compression{500000, 1}));

TEST(TraceDataView, ThirtySixHoursAtTwoKilohertzPassTwoToTheThirtyOnePixels) {
  RecordLengthsSource records({36 * 3600 * 2000}, 0.0005);
  Tarn::HeldReference<TraceDataView> view(new TraceDataView(&records, nullptr));
  view->AddRef();
  view->SetCompression(1, 10);
  LONGLONG extent = 0;
  view->GetDataExtent(&extent);
  EXPECT_EQ(extent, 2592000000LL);
  LONG record = 0;
  LONG tick = 0;
  ASSERT_EQ(view->PixelToPosition(extent - 1, &record, &tick), S_OK);
  EXPECT_EQ(tick, 36 * 3600 * 2000 - 1);
  LONGLONG pixel = 0;
  view->PositionToPixel(0, tick, &pixel);
  EXPECT_EQ(pixel, extent - 10);
}

TEST(TraceDataView, WalksRecordsAndTellsWhereTheyLie) {
  RecordLengthsSource records({100, 50});
  Tarn::HeldReference<TraceDataView> view(new TraceDataView(&records, nullptr));
  view->AddRef();
  view->SetCompression(3, 1);
  LONG next = 0;
  EXPECT_EQ(view->GetNextRecord(0, &next), S_OK);
  EXPECT_EQ(next, 1);
  EXPECT_EQ(view->GetNextRecord(1, &next), S_FALSE);
  PendrelTraceRecordInfo info{};
  ASSERT_EQ(view->GetRecordInformation(1, &info), S_OK);
  EXPECT_EQ(info.firstPixel, 34);  // ceil(100 / 3)
  EXPECT_EQ(info.endPixel, 34 + 17);
  EXPECT_EQ(info.tickCount, 50);
  EXPECT_DOUBLE_EQ(info.record.startTime, 100.0);
  EXPECT_EQ(view->GetRecordInformation(2, &info), E_INVALIDARG);
  EXPECT_EQ(view->SetCompression(0, 1), E_INVALIDARG);
  EXPECT_EQ(view->SetCompression(1, -1), E_INVALIDARG);
}

TEST(TraceDataView, PendingUpdatesStayUntilAcknowledged) {
  RecordLengthsSource records({100});
  Tarn::HeldReference<TraceDataView> view(new TraceDataView(&records, nullptr));
  view->AddRef();
  view->MarkPending(kTraceUpdateData | kTraceUpdateRecords);
  DWORD flags = 0;
  view->GetPendingUpdates(&flags);
  EXPECT_EQ(flags, kTraceUpdateData | kTraceUpdateRecords);
  view->AcknowledgeUpdates(kTraceUpdateData);
  view->GetPendingUpdates(&flags);
  EXPECT_EQ(flags, kTraceUpdateRecords);
}

TEST(TraceDataView, FollowsTheRecordBeingSampled) {
  RecordLengthsSource records({100, 50});
  Tarn::HeldReference<TraceDataView> view(new TraceDataView(&records, nullptr));
  view->AddRef();
  LONG record = 0;
  EXPECT_EQ(view->GetSampledRecord(&record), S_FALSE);
  EXPECT_EQ(record, kRecordEndOffset);
  // The notices in the order an acquisition gives them.
  const struct {
    std::function<void(TraceDataView&)> notice;
    LONG sampled;
  } steps[] = {
      {[](TraceDataView& v) { v.OnRecordStart(1); }, 1},
      {[](TraceDataView& v) { v.OnDataAdded(1, 0, 10, VARIANT_TRUE); }, 1},
      {[](TraceDataView& v) { v.OnRecordEnd(1); }, 1},
      {[](TraceDataView& v) { v.OnSamplingStopped(0, 0); }, kRecordEndOffset},
      {[](TraceDataView& v) { v.OnDataAdded(0, 0, 10, VARIANT_TRUE); }, 0},
      {[](TraceDataView& v) { v.OnDataChanged(0); }, kRecordEndOffset},
  };
  for (std::size_t i = 0; i < std::size(steps); ++i) {
    steps[i].notice(*view.get());
    EXPECT_EQ(view->GetSampledRecord(&record), steps[i].sampled == kRecordEndOffset ? S_FALSE : S_OK)
        << i;
    EXPECT_EQ(record, steps[i].sampled) << i;
  }
  EXPECT_EQ(view->GetSampledRecord(nullptr), E_POINTER);
}

}  // namespace
