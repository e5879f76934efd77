#include "platform/win32/emf_records.h"

#include <algorithm>
#include <cstring>

namespace win32::emf {

RecordBuilder::RecordBuilder(std::uint32_t type) {
  U32(type);
  U32(0);  // the size, filled in by Finish
}

RecordBuilder& RecordBuilder::U32(std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) m_bytes.push_back(std::uint8_t(value >> shift));
  return *this;
}

RecordBuilder& RecordBuilder::F32(float value) {
  std::uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return U32(bits);
}

RecordBuilder& RecordBuilder::Rect(const RECT& rect) {
  return I32(rect.left).I32(rect.top).I32(rect.right).I32(rect.bottom);
}

RecordBuilder& RecordBuilder::Point(const POINT& point) { return I32(point.x).I32(point.y); }

RecordBuilder& RecordBuilder::Raw(const void* data, std::size_t size) {
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  m_bytes.insert(m_bytes.end(), bytes, bytes + size);
  return *this;
}

RecordBuilder& RecordBuilder::Align() {
  while (m_bytes.size() % 4) m_bytes.push_back(0);
  return *this;
}

void RecordBuilder::Patch(std::size_t offset, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) m_bytes[offset + i] = std::uint8_t(value >> (8 * i));
}

Bytes RecordBuilder::Finish() {
  Align();
  Patch(4, std::uint32_t(m_bytes.size()));
  return std::move(m_bytes);
}

void RecordBuilder::AppendTo(Bytes& to) {
  const Bytes record = Finish();
  to.insert(to.end(), record.begin(), record.end());
}

namespace {

// Inclusive bounds, as records state them.
RECT BoundsOf(const POINT* points, int count) {
  RECT bounds{points[0].x, points[0].y, points[0].x, points[0].y};
  for (int i = 1; i < count; ++i) {
    bounds.left = std::min(bounds.left, points[i].x);
    bounds.top = std::min(bounds.top, points[i].y);
    bounds.right = std::max(bounds.right, points[i].x);
    bounds.bottom = std::max(bounds.bottom, points[i].y);
  }
  return bounds;
}

RECT InclusiveBox(int x, int y, int width, int height) {
  return {x, y, x + std::max(width, 1) - 1, y + std::max(height, 1) - 1};
}

}  // namespace

Bytes WordRecord(std::uint32_t type, std::uint32_t value) { return RecordBuilder(type).U32(value).Finish(); }

Bytes PointRecord(std::uint32_t type, int x, int y) { return RecordBuilder(type).I32(x).I32(y).Finish(); }

Bytes PixelRecord(int x, int y, COLORREF colour) {
  return RecordBuilder(kSetPixelV).I32(x).I32(y).U32(colour).Finish();
}

Bytes BoxRecord(std::uint32_t type, const RECT& box) { return RecordBuilder(type).Rect(box).Finish(); }

Bytes PointsRecord(std::uint32_t type, const POINT* points, int count) {
  RecordBuilder record(type);
  record.Rect(BoundsOf(points, count)).U32(std::uint32_t(count));
  for (int i = 0; i < count; ++i) record.Point(points[i]);
  return record.Finish();
}

Bytes TextRecord(int x, int y, UINT options, const RECT* rect, const std::u16string& text,
                 const std::vector<INT>& advances) {
  int width = 0;
  for (INT advance : advances) width += advance;
  RecordBuilder record(kExtTextOutW);
  record.Rect(rect ? *rect : InclusiveBox(x, y, width, 1));
  record.U32(GM_COMPATIBLE).F32(1.0f).F32(1.0f);
  // The text block: reference point, count, string offset, options, rectangle, advances offset;
  // then the characters, padded to a word, and one advance for each.
  constexpr std::uint32_t kFixedSize = 76;
  const std::uint32_t stringBytes = std::uint32_t((text.size() * 2 + 3) / 4 * 4);
  record.Point({x, y}).U32(std::uint32_t(text.size())).U32(kFixedSize).U32(options);
  record.Rect(rect ? *rect : RECT{0, 0, -1, -1}).U32(kFixedSize + stringBytes);
  for (char16_t c : text) {
    const std::uint8_t pair[] = {std::uint8_t(c), std::uint8_t(c >> 8)};
    record.Raw(pair, 2);
  }
  record.Align();
  for (std::size_t i = 0; i < text.size(); ++i) record.I32(i < advances.size() ? advances[i] : 0);
  return record.Finish();
}

namespace {

// The size of the bitmap information header a DIB record carries.
constexpr std::uint32_t kDibHeaderSize = 40;

}  // namespace

Bytes PatternBlitRecord(int x, int y, int width, int height, DWORD rop) {
  RecordBuilder record(kBitBlt);
  record.Rect(InclusiveBox(x, y, width, height));
  record.I32(x).I32(y).I32(width).I32(height).U32(rop);
  record.I32(0).I32(0);                                                   // source origin
  record.F32(1).F32(0).F32(0).F32(1).F32(0).F32(0);                       // source transform
  record.U32(0).U32(DIB_RGB_COLORS).U32(0).U32(0).U32(0).U32(0);          // no source bitmap
  return record.Finish();
}

Bytes DibRecord(int x, int y, int width, int height, int dibWidth, int dibHeight,
                const std::vector<std::uint32_t>& bottomUpPixels) {
  constexpr std::uint32_t kFixedSize = 80;
  const std::uint32_t bitsSize = std::uint32_t(bottomUpPixels.size() * 4);
  RecordBuilder record(kStretchDibits);
  record.Rect(InclusiveBox(x, y, width, height));
  record.I32(x).I32(y).I32(0).I32(0).I32(dibWidth).I32(dibHeight);
  record.U32(kFixedSize).U32(kDibHeaderSize).U32(kFixedSize + kDibHeaderSize).U32(bitsSize);
  record.U32(DIB_RGB_COLORS).U32(SRCCOPY).I32(width).I32(height);
  // BITMAPINFOHEADER: a 32-bit, uncompressed, bottom-up bitmap.
  record.U32(kDibHeaderSize).I32(dibWidth).I32(dibHeight).U32(1 | (32u << 16)).U32(BI_RGB);
  record.U32(bitsSize).I32(3780).I32(3780).U32(0).U32(0);  // 96 dots per inch
  for (std::uint32_t pixel : bottomUpPixels) record.U32(pixel & 0x00FFFFFFu);
  return record.Finish();
}

}  // namespace win32::emf
