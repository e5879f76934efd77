// The stand-in host's decimating point source: one channel of one record at a horizontal mapping
// and a vertical scale, handed out column by column (the rules are in
// platform/pendrel/trace_points.h). It reads the samples through a float enumerator of the
// document in blocks, and asks for the end of the data on every call, so that a record that is
// still growing yields its new columns to the next call. Every call is logged.
#pragma once

#include <vector>

#include "host/framework/held_reference.h"
#include "platform/pendrel/data_source.h"
#include "platform/pendrel/trace_points.h"
#include "platform/win32/com_object.h"

namespace PendrelHost {

struct PointSourceSetup {
  PendrelChannelRef channel;
  LONG record;
  PendrelPixelMapping mapping;
  LONGLONG start;
  // The last tick (exclusive) to draw; kRecordEndOffset follows the data.
  LONG endTick;
  double gain;
  double offset;
};

class PointSource final : public SimpleUnknownImp1<IPendrelPointSource, 0> {
 public:
  // `samples` reads the channel from tick 0 of the record; the source keeps its reference.
  PointSource(IPendrelDataSource* records, IEnumFloatEx* samples, const PointSourceSetup& setup);

  HRESULT NextPoints(LONG leftColumn, LONG columns, LONG capacity, POINT* points, LONG* count,
                     LONG* consumed) override;
  HRESULT Skip(LONGLONG n, LONGLONG* skipped) override;
  HRESULT GetPosition(LONGLONG* position) override;
  HRESULT Seek(LONGLONG position) override;

 private:
  // The first tick of a column: ceil(column x ticks / pixels).
  LONGLONG FirstTick(LONGLONG column) const;
  // The column of a tick: floor(tick x pixels / ticks).
  LONGLONG ColumnOf(LONGLONG tick) const;
  // The tick the data reaches now (exclusive), and the column after the last with data.
  LONGLONG EndTick() const;
  LONGLONG EndColumn() const { return ColumnOf(EndTick() - 1) + 1; }
  LONG Row(float value) const;

  // Sequential reading of the samples, a block at a time.
  void SeekSample(LONGLONG tick);
  float NextSample();
  // Reads on to tick `end`, widening [low, high] by every value on the way.
  void ScanTo(LONGLONG end, float* low, float* high);

  // One column at one tick per pixel or more: the rows of its samples, joined to the sample
  // before; false when they hold no value.
  bool ColumnRows(LONGLONG column, LONGLONG endTick, LONG* top, LONG* bottom);

  Tarn::HeldReference<IPendrelDataSource> m_records;
  Tarn::HeldReference<IEnumFloatEx> m_samples;
  PointSourceSetup m_setup;
  LONGLONG m_position;
  std::vector<float> m_block;
  std::size_t m_blockNext = 0;
  std::size_t m_blockSize = 0;
  LONGLONG m_nextTick = 0;  // the tick NextSample gives next
  // Below one tick per pixel: the sample whose segment was drawn last.
  LONGLONG m_lastSegment = -1;
};

}  // namespace PendrelHost
