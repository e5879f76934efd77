// Enhanced metafile records as bytes: the record types a metafile context writes, a builder for
// one record (little-endian words, sizes kept to multiples of four), and the records of the
// drawing calls. A recorded call keeps its records beside its replay closure until the metafile
// is saved. Internal to the platform library.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win32/gdi.h"

namespace win32::emf {

using Bytes = std::vector<std::uint8_t>;

enum RecordType : std::uint32_t {
  kHeader = 1,
  kPolygon = 3,
  kPolyline = 4,
  kSetWindowOrgEx = 10,
  kSetViewportOrgEx = 12,
  kEof = 14,
  kSetPixelV = 15,
  kSetBkMode = 18,
  kSetRop2 = 20,
  kSetTextAlign = 22,
  kSetTextColor = 24,
  kSetBkColor = 25,
  kMoveToEx = 27,
  kIntersectClipRect = 30,
  kSaveDc = 33,
  kRestoreDc = 34,
  kSetWorldTransform = 35,
  kModifyWorldTransform = 36,
  kSelectObject = 37,
  kCreatePen = 38,
  kCreateBrushIndirect = 39,
  kDeleteObject = 40,
  kEllipse = 42,
  kRectangle = 43,
  kLineTo = 54,
  kExtSelectClipRgn = 75,
  kBitBlt = 76,
  kStretchDibits = 81,
  kExtCreateFontIndirectW = 82,
  kExtTextOutW = 84,
  kExtCreatePen = 95,
};

// Stock objects are selected by their index with the high bit set.
constexpr std::uint32_t kStockObject = 0x80000000u;
// The handle-table slot a call's own records use for an object they create and delete again;
// a saved file's pens, brushes and fonts take the slots after it.
constexpr std::uint32_t kScratchObject = 1;

class RecordBuilder {
 public:
  explicit RecordBuilder(std::uint32_t type);
  RecordBuilder& U32(std::uint32_t value);
  RecordBuilder& I32(std::int32_t value) { return U32(std::uint32_t(value)); }
  RecordBuilder& F32(float value);
  RecordBuilder& Rect(const RECT& rect);
  RecordBuilder& Point(const POINT& point);
  RecordBuilder& Raw(const void* data, std::size_t size);
  // Pads with zeros to the next multiple of four.
  RecordBuilder& Align();
  std::size_t size() const { return m_bytes.size(); }
  // Overwrites a word written before, at its offset from the start of the record.
  void Patch(std::size_t offset, std::uint32_t value);
  // The record, padded and with its size filled in.
  Bytes Finish();
  // Appends the finished record to `to`.
  void AppendTo(Bytes& to);

 private:
  Bytes m_bytes;
};

// One word or one point: SETBKMODE, SETROP2, SETTEXTALIGN, colours, MOVETOEX, LINETO, origins.
Bytes WordRecord(std::uint32_t type, std::uint32_t value);
Bytes PointRecord(std::uint32_t type, int x, int y);
Bytes PixelRecord(int x, int y, COLORREF colour);
Bytes BoxRecord(std::uint32_t type, const RECT& box);
// POLYLINE or POLYGON with its bounds.
Bytes PointsRecord(std::uint32_t type, const POINT* points, int count);
Bytes TextRecord(int x, int y, UINT options, const RECT* rect, const std::u16string& text,
                 const std::vector<INT>& advances);
// A pattern fill (PATCOPY, DSTINVERT, BLACKNESS, WHITENESS) of a rectangle, with no source.
Bytes PatternBlitRecord(int x, int y, int width, int height, DWORD rop);
// A 32-bit bottom-up DIB of `width` x `height` pixels (blue, green, red, unused), stretched into
// the destination rectangle.
Bytes DibRecord(int x, int y, int width, int height, int dibWidth, int dibHeight,
                const std::vector<std::uint32_t>& bottomUpPixels);

}  // namespace win32::emf
