// The GDI+ value types: statuses, colours, points, rectangles and the enumerations that drawing
// calls take. Plain values, copied freely.
#pragma once

#include <cstdint>

#include "platform/win32/types.h"

namespace Gdiplus {

enum Status {
  Ok = 0,
  GenericError = 1,
  InvalidParameter = 2,
  OutOfMemory = 3,
  ObjectBusy = 4,
  InsufficientBuffer = 5,
  NotImplemented = 6,
  Win32Error = 7,
  WrongState = 8,
  Aborted = 9,
  FileNotFound = 10,
  ValueOverflow = 11,
  AccessDenied = 12,
  UnknownImageFormat = 13,
  FontFamilyNotFound = 14,
  FontStyleNotFound = 15,
  NotTrueTypeFont = 16,
  UnsupportedGdiplusVersion = 17,
  GdiplusNotInitialized = 18,
  PropertyNotFound = 19,
  PropertyNotSupported = 20,
};

using REAL = float;
using ARGB = std::uint32_t;
using PixelFormat = INT;
constexpr PixelFormat PixelFormat32bppARGB = 0x0026200A;

class Color {
 public:
  Color() = default;
  explicit Color(ARGB argb) : m_argb(argb) {}
  Color(BYTE a, BYTE r, BYTE g, BYTE b)
      : m_argb(ARGB(a) << 24 | ARGB(r) << 16 | ARGB(g) << 8 | ARGB(b)) {}
  ARGB GetValue() const { return m_argb; }
  BYTE GetA() const { return static_cast<BYTE>(m_argb >> 24); }
  BYTE GetR() const { return static_cast<BYTE>(m_argb >> 16); }
  BYTE GetG() const { return static_cast<BYTE>(m_argb >> 8); }
  BYTE GetB() const { return static_cast<BYTE>(m_argb); }

 private:
  ARGB m_argb = 0xFF000000;
};

struct PointF {
  REAL X = 0;
  REAL Y = 0;
  PointF() = default;
  PointF(REAL x, REAL y) : X(x), Y(y) {}
};

struct RectF {
  REAL X = 0;
  REAL Y = 0;
  REAL Width = 0;
  REAL Height = 0;
  RectF() = default;
  RectF(REAL x, REAL y, REAL width, REAL height) : X(x), Y(y), Width(width), Height(height) {}
};

enum Unit { UnitWorld = 0, UnitDisplay = 1, UnitPixel = 2, UnitPoint = 3 };
enum SmoothingMode { SmoothingModeDefault = 0, SmoothingModeNone = 3, SmoothingModeAntiAlias = 4 };
enum CombineMode { CombineModeReplace = 0, CombineModeIntersect = 1 };
enum MatrixOrder { MatrixOrderPrepend = 0, MatrixOrderAppend = 1 };
enum DashStyle { DashStyleSolid = 0, DashStyleDash = 1, DashStyleCustom = 5 };
enum StringAlignment { StringAlignmentNear = 0, StringAlignmentCenter = 1, StringAlignmentFar = 2 };
enum FontStyle { FontStyleRegular = 0, FontStyleBold = 1 };
enum MetafileFrameUnit { MetafileFrameUnitPixel = 2, MetafileFrameUnitGdi = 7 };
enum EmfType { EmfTypeEmfOnly = 3, EmfTypeEmfPlusOnly = 4, EmfTypeEmfPlusDual = 5 };
using GraphicsState = UINT;
constexpr LANGID LANG_NEUTRAL_ID = 0;

}  // namespace Gdiplus
