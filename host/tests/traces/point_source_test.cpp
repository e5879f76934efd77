#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "host/document/data_document.h"
#include "host/framework/call_log.h"
#include "host/traces/trace_data_source.h"

using namespace PendrelHost;

namespace {

// One open record of one channel with the given samples.
std::shared_ptr<Recording> OpenRecord(const std::vector<float>& samples) {
  auto recording = std::make_shared<Recording>(1000.0);
  recording->AddChannel({"Signal", "mV"});
  recording->AddRecord(0.0);
  std::vector<std::vector<float>> channels = {samples};
  recording->AppendSamples(0, std::move(channels));
  return recording;
}

class PointSourceTest : public ::testing::Test {
 protected:
  void Open(std::shared_ptr<Recording> recording) {
    m_recording = recording;
    m_document = OpenDocument(recording);
    m_source.reset(CreateTraceDataSource(m_document.get()));
  }

  // A point source of channel 0 at ticks / pixels, rows floor((v + offset) x gain).
  Tarn::HeldReference<IPendrelPointSource> Points(LONGLONG ticks, LONGLONG pixels,
                                                  LONGLONG start = 0, double gain = 1.0,
                                                  double offset = 0.0) {
    auto* data = static_cast<TraceDataSource*>(m_source.get());
    const PendrelPixelMapping mapping = {ticks, pixels};
    IPendrelPointSource* points = nullptr;
    EXPECT_EQ(data->RecordData().CreatePointSource(0x2001000, 0, &mapping, start, 0, kOpenEndRecord,
                                                   kRecordEndOffset, gain, offset, 0, &points),
              S_OK);
    return Tarn::HeldReference<IPendrelPointSource>(points);
  }

  void Append(const std::vector<float>& samples) {
    const std::span<const float> block(samples);
    m_recording->AppendSamples(0, std::span<const std::span<const float>>(&block, 1));
  }

 private:
  std::shared_ptr<Recording> m_recording;
  Tarn::HeldReference<IUnknown> m_document;
  Tarn::HeldReference<IPendrelTraceDataSource> m_source;
};

struct Segment {
  POINT from, to;
  bool operator==(const Segment& o) const {
    return from.x == o.from.x && from.y == o.from.y && to.x == o.to.x && to.y == o.to.y;
  }
};

std::vector<Segment> Segments(const POINT* points, LONG count) {
  std::vector<Segment> segments;
  for (LONG i = 0; i + 1 < count; i += 2) segments.push_back({points[i], points[i + 1]});
  return segments;
}

TEST_F(PointSourceTest, EachColumnSpansItsSamplesJoinedToTheSampleBefore) {
  Open(OpenRecord({0, 10, 20, 5, NAN, NAN, 7}));
  POINT points[kPointSourceBlock];
  LONG count = 0, consumed = 0;
  // One tick per pixel: a segment per column, ending one row below its lowest.
  auto source = Points(1, 1);
  EXPECT_EQ(source->NextPoints(40, 7, kPointSourceBlock, points, &count, &consumed), S_OK);
  EXPECT_EQ(consumed, 7);
  const std::vector<Segment> perColumn = {{{40, 0}, {40, 1}},   {{41, 0}, {41, 11}},
                                          {{42, 10}, {42, 21}}, {{43, 5}, {43, 21}},
                                          {{46, 7}, {46, 8}}};
  EXPECT_EQ(Segments(points, count), perColumn);

  // Two ticks per pixel, rows scaled: floor((v + 1) x -0.5); a column without a value is a gap.
  source = Points(2, 1, 0, -0.5, 1.0);
  EXPECT_EQ(source->NextPoints(0, 5, kPointSourceBlock, points, &count, &consumed), S_FALSE);
  EXPECT_EQ(consumed, 4);
  const std::vector<Segment> paired = {{{0, -6}, {0, 0}}, {{1, -11}, {1, -2}}, {{3, -4}, {3, -3}}};
  EXPECT_EQ(Segments(points, count), paired);

  // Half a tick per pixel: each sample joined to the next, from its own column.
  source = Points(1, 2, 1);
  EXPECT_EQ(source->NextPoints(0, 4, kPointSourceBlock, points, &count, &consumed), S_OK);
  const std::vector<Segment> joined = {{{-1, 0}, {1, 10}}, {{1, 10}, {3, 20}}, {{3, 20}, {5, 5}}};
  EXPECT_EQ(Segments(points, count), joined);
}

TEST_F(PointSourceTest, HandsOutAtMost256PointsAndSkipsWithinTheData) {
  Open(OpenRecord(std::vector<float>(1000, 1.0f)));
  auto source = Points(2, 1);
  POINT points[kPointSourceBlock];
  LONG count = 0, consumed = 0;
  EXPECT_EQ(source->NextPoints(0, 400, kPointSourceBlock, points, &count, &consumed), S_OK);
  EXPECT_EQ(count, 256);
  EXPECT_EQ(consumed, 128);
  LONGLONG position = 0, skipped = 0;
  source->GetPosition(&position);
  EXPECT_EQ(position, 128);
  EXPECT_EQ(source->Skip(-28, &skipped), S_OK);
  EXPECT_EQ(skipped, -28);
  // The data ends at column 500.
  EXPECT_EQ(source->Skip(1000, &skipped), S_FALSE);
  EXPECT_EQ(skipped, 400);
  EXPECT_EQ(source->NextPoints(0, 10, kPointSourceBlock, points, &count, &consumed), S_FALSE);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(consumed, 0);
  EXPECT_EQ(source->Skip(-600, &skipped), S_FALSE);
  EXPECT_EQ(skipped, -500);
}

TEST_F(PointSourceTest, AGrowingRecordYieldsItsNewColumnsToTheNextCall) {
  Open(OpenRecord(std::vector<float>(100, 2.0f)));
  auto source = Points(10, 1);
  POINT points[kPointSourceBlock];
  LONG count = 0, consumed = 0;
  EXPECT_EQ(source->NextPoints(0, 50, kPointSourceBlock, points, &count, &consumed), S_FALSE);
  EXPECT_EQ(consumed, 10);
  Append(std::vector<float>(55, 3.0f));
  EXPECT_EQ(source->NextPoints(10, 40, kPointSourceBlock, points, &count, &consumed), S_FALSE);
  EXPECT_EQ(consumed, 6);
  ASSERT_EQ(count, 12);
  // The first new column joins the last sample of the old data.
  EXPECT_EQ(Segments(points, 2), (std::vector<Segment>{{{10, 2}, {10, 4}}}));
}

}  // namespace
