#include "plotengine/proxy/buffered_float_enum_iterator.h"

namespace Quor {

BufferedFloatEnumIterator::BufferedFloatEnumIterator(IEnumFloatEx* series, const WORD* stopFlag)
    : m_series(series), m_stopFlag(stopFlag) {
  if (!m_series) return;
  m_series->AddRef();
  m_series->GetPosition(&m_position);
  Refill();
}

BufferedFloatEnumIterator::~BufferedFloatEnumIterator() {
  if (m_series) m_series->Release();
}

void BufferedFloatEnumIterator::Refill() {
  m_fetched = 0;
  if (!Stopped()) {
    m_lastResult = m_series->Next(kBlock, m_buffer, &m_fetched);
    if (m_fetched < 0 || m_fetched > kBlock) m_fetched = 0;
    m_position += DWORD(m_fetched);
  }
  m_start = m_current = m_buffer;
  m_end = m_buffer + m_fetched;
}

void BufferedFloatEnumIterator::Advance() {
  if (m_current == m_end) return;
  if (++m_current == m_end) Refill();
}

float NearestPointOnSegment(SegmentPoint p, SegmentPoint a, SegmentPoint b, SegmentPoint* nearest) {
  auto squared = [](SegmentPoint u, SegmentPoint v) {
    const float dx = u.x - v.x;
    const float dy = u.y - v.y;
    return dx * dx + dy * dy;
  };
  const float dx = b.x - a.x;
  const float dy = b.y - a.y;
  const float lengthSquared = dx * dx + dy * dy;
  SegmentPoint q = a;
  if (lengthSquared != 0.0f) {
    const float u = ((p.x - a.x) * dx + (p.y - a.y) * dy) / lengthSquared;
    if (u > 1.0f) {
      q = b;
    } else if (u >= 0.0f) {
      q = {a.x + u * dx, a.y + u * dy};
    }
  }
  if (nearest) *nearest = q;
  return squared(p, q);
}

}  // namespace Quor
