// Reads a float series forward, 16 values per call of the series' Next, for the pointer
// tracking that walks whole series. Holds a reference on the series while it lives; used on
// the plot window's thread only.
#pragma once

#include "platform/pendrel/data_source.h"

namespace Quor {

class BufferedFloatEnumIterator {
 public:
  static constexpr int kBlock = 16;

  explicit BufferedFloatEnumIterator(IEnumFloatEx* series, const WORD* stopFlag = nullptr);
  BufferedFloatEnumIterator(const BufferedFloatEnumIterator&) = delete;
  BufferedFloatEnumIterator& operator=(const BufferedFloatEnumIterator&) = delete;
  ~BufferedFloatEnumIterator();

  // False once a refill fetched nothing.
  bool HasValue() const { return m_current != m_end; }
  float Value() const { return *m_current; }
  void Advance();
  // The series position after the values read so far.
  DWORD Position() const { return m_position; }

 private:
  void Refill();
  bool Stopped() const { return m_stopFlag && *m_stopFlag != 0; }

  const float* m_current = nullptr;
  const float* m_start = nullptr;
  const float* m_end = nullptr;
  int m_fetched = 0;
  DWORD m_position = 0;
  IEnumFloatEx* m_series;
  HRESULT m_lastResult = S_OK;
  const WORD* m_stopFlag;
  float m_buffer[kBlock];
};

struct SegmentPoint {
  float x;
  float y;
};

// The squared distance from p to the segment a-b; the segment's nearest point goes to
// `nearest` when it is given.
float NearestPointOnSegment(SegmentPoint p, SegmentPoint a, SegmentPoint b,
                            SegmentPoint* nearest = nullptr);

}  // namespace Quor
