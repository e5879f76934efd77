#include "host/traces/point_source.h"

#include <algorithm>
#include <limits>
#include <cmath>
#include <string>

#include "host/framework/call_log.h"

namespace PendrelHost {

namespace {

constexpr std::string_view kService = "PointSource";
// Samples read from the enumerator at a time.
constexpr std::size_t kSampleBlock = 16384;
// Rows beyond these would only overflow the drawing coordinates.
constexpr double kRowLimit = 32000.0;

LONGLONG FloorDiv(__int128 a, __int128 b) {
  const __int128 q = a / b;
  return LONGLONG((a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q);
}

LONGLONG CeilDiv(__int128 a, __int128 b) { return -FloorDiv(-a, b); }

}  // namespace

PointSource::PointSource(IPendrelDataSource* records, IEnumFloatEx* samples,
                         const PointSourceSetup& setup)
    : m_records(Tarn::Hold(records)),
      m_samples(Tarn::Hold(samples)),
      m_setup(setup),
      m_position(setup.start),
      m_block(kSampleBlock) {}

LONGLONG PointSource::FirstTick(LONGLONG column) const {
  return CeilDiv(__int128(column) * m_setup.mapping.ticks, m_setup.mapping.pixels);
}

LONGLONG PointSource::ColumnOf(LONGLONG tick) const {
  return FloorDiv(__int128(tick) * m_setup.mapping.pixels, m_setup.mapping.ticks);
}

LONGLONG PointSource::EndTick() const {
  LONG end = 0;
  if (FAILED(m_records->GetEndOfData(0x80000000, m_setup.record, &end)) || end == kRecordEndOffset) {
    end = 0;
  }
  if (m_setup.endTick != kRecordEndOffset) end = std::min(end, m_setup.endTick);
  return std::max<LONGLONG>(end, 0);
}

LONG PointSource::Row(float value) const {
  const double row = std::floor((double(value) + m_setup.offset) * m_setup.gain);
  return std::isnan(row) ? 0 : LONG(std::clamp(row, -kRowLimit, kRowLimit));
}

void PointSource::SeekSample(LONGLONG tick) {
  const LONGLONG blockStart = m_nextTick - LONGLONG(m_blockNext);
  if (tick >= blockStart && tick < blockStart + LONGLONG(m_blockSize)) {
    m_blockNext = std::size_t(tick - blockStart);
    m_nextTick = tick;
    return;
  }
  // The enumerator stands at the end of the block it read last.
  const LONGLONG enumeratorTick = blockStart + LONGLONG(m_blockSize);
  m_samples->Skip(int(tick - enumeratorTick), nullptr);
  m_blockNext = m_blockSize = 0;
  m_nextTick = tick;
}

float PointSource::NextSample() {
  if (m_blockNext == m_blockSize) {
    int fetched = 0;
    m_samples->Next(int(m_block.size()), m_block.data(), &fetched);
    m_blockNext = 0;
    m_blockSize = std::size_t(std::max(fetched, 0));
    // Nothing read: the enumerator stays where it was, and so does the block's start.
    if (m_blockSize == 0) return NAN;
  }
  ++m_nextTick;
  return m_block[m_blockNext++];
}

void PointSource::ScanTo(LONGLONG end, float* low, float* high) {
  while (m_nextTick < end) {
    if (m_blockNext == m_blockSize) {
      int fetched = 0;
      m_samples->Next(int(m_block.size()), m_block.data(), &fetched);
      m_blockNext = 0;
      m_blockSize = std::size_t(std::max(fetched, 0));
      if (m_blockSize == 0) return;
    }
    const std::size_t take = std::min(m_blockSize - m_blockNext, std::size_t(end - m_nextTick));
    const float* values = m_block.data() + m_blockNext;
    // NaN fails both comparisons and so holds no value.
    for (std::size_t i = 0; i < take; ++i) {
      if (values[i] < *low) *low = values[i];
      if (values[i] > *high) *high = values[i];
    }
    m_blockNext += take;
    m_nextTick += LONGLONG(take);
  }
}

bool PointSource::ColumnRows(LONGLONG column, LONGLONG endTick, LONG* top, LONG* bottom) {
  const LONGLONG first = FirstTick(column);
  const LONGLONG end = std::min(FirstTick(column + 1), endTick);
  SeekSample(std::max<LONGLONG>(first - 1, 0));
  const float before = first > 0 ? NextSample() : NAN;
  float low = INFINITY, high = -INFINITY;
  ScanTo(end, &low, &high);
  // A column without a value of its own is a gap; the sample before only joins a value.
  if (!(low <= high)) return false;
  if (std::isfinite(before)) {
    low = std::min(low, before);
    high = std::max(high, before);
  }
  // Rows are monotonic in the value: the extremes' rows bound every other.
  const LONG a = Row(low), b = Row(high);
  *top = std::min(a, b);
  *bottom = std::max(a, b);
  return true;
}

HRESULT PointSource::NextPoints(LONG leftColumn, LONG columns, LONG capacity, POINT* points,
                                LONG* count, LONG* consumed) {
  if (!points || !count || !consumed) return E_POINTER;
  *count = 0;
  *consumed = 0;
  capacity = std::clamp(capacity, LONG(0), kPointSourceBlock);
  const LONGLONG endTick = EndTick();
  const LONGLONG endColumn = EndColumn();
  const bool perSample = m_setup.mapping.ticks < m_setup.mapping.pixels;
  const auto emit = [&](LONG x1, LONG y1, LONG x2, LONG y2) {
    points[(*count)++] = {x1, y1};
    points[(*count)++] = {x2, y2};
  };
  while (*consumed < columns && m_position < endColumn && *count + 2 <= capacity) {
    const LONG x = leftColumn + *consumed;
    if (!perSample) {
      LONG top = 0, bottom = 0;
      if (ColumnRows(m_position, endTick, &top, &bottom)) emit(x, top, x, bottom + 1);
    } else if (const LONGLONG tick = FloorDiv(__int128(m_position) * m_setup.mapping.ticks,
                                              m_setup.mapping.pixels);
               tick < endTick && tick != m_lastSegment) {
      // Below one tick per pixel one segment joins each sample to the next, drawn from the
      // sample's column; a run that starts inside a segment draws it from there too.
      SeekSample(tick);
      const float value = NextSample();
      const float next = tick + 1 < endTick ? NextSample() : NAN;
      const LONG from = LONG(x - (m_position - ColumnOf(tick)));
      if (std::isfinite(value) && std::isfinite(next)) {
        emit(from, Row(value), LONG(from + ColumnOf(tick + 1) - ColumnOf(tick)), Row(next));
      } else if (std::isfinite(value)) {
        emit(from, Row(value), from, Row(value) + 1);
      }
      m_lastSegment = tick;
    }
    ++m_position;
    ++*consumed;
  }
  Tarn::RecordCall(kService, "NextPoints",
                   "left=" + std::to_string(leftColumn) + ", columns=" + std::to_string(columns) +
                       ", count=" + std::to_string(*count) +
                       ", consumed=" + std::to_string(*consumed));
  return *consumed < columns && m_position >= endColumn ? S_FALSE : S_OK;
}

HRESULT PointSource::Skip(LONGLONG n, LONGLONG* skipped) {
  const LONGLONG target = std::clamp(m_position + n, LONGLONG(0), std::max(EndColumn(), m_position));
  const LONGLONG moved = target - m_position;
  m_position = target;
  if (moved != 0) m_lastSegment = -1;
  if (skipped) *skipped = moved;
  Tarn::RecordCall(kService, "Skip", "n=" + std::to_string(n) + ", skipped=" + std::to_string(moved));
  return moved == n ? S_OK : S_FALSE;
}

HRESULT PointSource::GetPosition(LONGLONG* position) {
  if (!position) return E_POINTER;
  *position = m_position;
  return S_OK;
}

HRESULT PointSource::Seek(LONGLONG position) {
  Tarn::RecordCall(kService, "Seek", std::to_string(position));
  if (position < 0) return E_INVALIDARG;
  m_position = position;
  m_lastSegment = -1;
  return S_OK;
}

}  // namespace PendrelHost
