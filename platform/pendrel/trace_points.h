// The host's decimating point source: for one channel of one record, at a horizontal mapping and
// a vertical scale, it hands a trace drawer the segments to draw, column by column, so that the
// drawer never reads samples itself. Points come in pairs, each pair one segment; a segment
// lights the pixels from its first point up to, not including, its second.
//
// Rows: a value v lies at row floor((v + offset) x gain) of the lane; NaN has no row. At one
// tick per pixel or more, each column with a value gets one vertical segment covering the rows of
// its samples together with the last sample of the column before; below one tick per pixel, one
// segment joins each sample to the next, drawn from the sample's column (a run that starts
// inside a segment draws it from there too). The source keeps a position (a pixel of the record); while the record grows it reads
// the end of the data afresh on every call. Made by IPendrelTraceRecordData::CreatePointSource;
// the drawer that asked holds the only reference.
#pragma once

#include "platform/win32/geometry.h"
#include "platform/win32/unknown.h"

// The largest number of points one NextPoints call hands out.
constexpr LONG kPointSourceBlock = 256;

// A record's horizontal mapping: ticks per pixel as ticks / pixels, both positive.
struct PendrelPixelMapping {
  LONGLONG ticks;
  LONGLONG pixels;
};

struct IPendrelPointSource : IUnknown {
  PLATFORM_INTERFACE_ID("7f1dc606-7075-49f8-a6a4-5733a7c4e00b");
  using Base = IUnknown;
  // Up to `capacity` points (at most kPointSourceBlock) for at most `columns` columns from the
  // position on, their x counted from `leftColumn`; `consumed` tells how many columns they
  // covered, and the position moves on by as many. S_FALSE when the data ended first.
  virtual HRESULT NextPoints(LONG leftColumn, LONG columns, LONG capacity, POINT* points,
                             LONG* count, LONG* consumed) = 0;
  // Moves the position by n columns (back when negative), within the record's data; `skipped`
  // gets the columns moved. S_OK when all n were.
  virtual HRESULT Skip(LONGLONG n, LONGLONG* skipped) = 0;
  virtual HRESULT GetPosition(LONGLONG* position) = 0;
  // Moves to a pixel of the record; E_INVALIDARG before the record's start.
  virtual HRESULT Seek(LONGLONG position) = 0;

 protected:
  ~IPendrelPointSource() = default;
};
