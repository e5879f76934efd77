// A GDI+ drawing surface over a device context (window, memory, screen, printer or metafile
// context) or an image (a bitmap, or a metafile being recorded). It keeps a world transform, a
// clip and a smoothing mode, with a stack of saved states; every call returns its status and
// leaves it for GetLastStatus. Made and deleted by the caller, on the thread that draws; it
// must be deleted before its metafile is ended.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "platform/gdiplus/brushes.h"
#include "platform/gdiplus/font.h"
#include "platform/gdiplus/graphics_path.h"
#include "platform/gdiplus/image.h"
#include "platform/gdiplus/matrix.h"
#include "platform/gdiplus/pen.h"
#include "platform/gdiplus/region.h"
#include "platform/win32/screen.h"

namespace Gdiplus {

namespace detail {
class Canvas;
struct DrawState;
}  // namespace detail

class Graphics {
 public:
  explicit Graphics(HDC dc);
  explicit Graphics(Image* image);
  ~Graphics();
  Graphics(const Graphics&) = delete;
  Graphics& operator=(const Graphics&) = delete;

  static Graphics* FromHDC(HDC dc) { return new Graphics(dc); }
  static Graphics* FromImage(Image* image) { return new Graphics(image); }

  Status GetLastStatus() const { return m_status; }
  Status Flush() { return Report(Usable()); }

  Status SetSmoothingMode(SmoothingMode mode);
  SmoothingMode GetSmoothingMode() const { return m_smoothing; }

  Status SetTransform(const Matrix* matrix);
  Status GetTransform(Matrix* matrix) const;
  Status ResetTransform();
  Status MultiplyTransform(const Matrix* matrix, MatrixOrder order = MatrixOrderPrepend);
  Status TranslateTransform(REAL dx, REAL dy, MatrixOrder order = MatrixOrderPrepend);
  Status RotateTransform(REAL angle, MatrixOrder order = MatrixOrderPrepend);
  Status ScaleTransform(REAL sx, REAL sy, MatrixOrder order = MatrixOrderPrepend);

  // The transform, clip and smoothing mode; Restore drops the states saved after it too.
  GraphicsState Save();
  Status Restore(GraphicsState state);

  // The region is taken in the world coordinates in force now.
  Status SetClip(const Region* region, CombineMode mode = CombineModeReplace);
  Status IntersectClip(const RectF& rect);
  Status ResetClip();

  Status Clear(const Color& colour);
  Status DrawLine(const Pen* pen, REAL x1, REAL y1, REAL x2, REAL y2);
  Status DrawLine(const Pen* pen, INT x1, INT y1, INT x2, INT y2);
  Status DrawLines(const Pen* pen, const PointF* points, INT count);
  Status DrawRectangle(const Pen* pen, const RectF& rect);
  Status DrawRectangle(const Pen* pen, REAL x, REAL y, REAL width, REAL height);
  Status FillRectangle(const Brush* brush, const RectF& rect);
  Status FillRectangle(const Brush* brush, REAL x, REAL y, REAL width, REAL height);
  Status DrawEllipse(const Pen* pen, const RectF& rect);
  Status DrawEllipse(const Pen* pen, REAL x, REAL y, REAL width, REAL height);
  Status DrawPath(const Pen* pen, const GraphicsPath* path);
  Status FillPath(const Brush* brush, const GraphicsPath* path);
  // `length` -1: up to the terminating NUL. The layout rectangle's origin is the anchor the
  // format's alignments place the line against (near: starts or tops there; centre; far).
  Status DrawString(const WCHAR* text, INT length, const Font* font, const RectF& layout,
                    const StringFormat* format, const Brush* brush);
  Status DrawString(const WCHAR* text, INT length, const Font* font, const PointF& origin,
                    const Brush* brush);
  // The box the text takes in world units, placed as DrawString places it in the layout
  // rectangle (its origin when the rectangle is empty); the text is one line.
  Status MeasureString(const WCHAR* text, INT length, const Font* font, const RectF& layout,
                       const StringFormat* format, RectF* box) const;

 private:
  struct Saved {
    GraphicsState id;
    Matrix world;
    std::vector<std::array<PointF, 4>> clip;
    SmoothingMode smoothing;
  };

  Status Report(Status status) { return m_status = status; }
  Status Usable() const;
  detail::DrawState State() const;
  Status Stroke(const Pen* pen, const std::vector<GraphicsPath::Figure>& figures);
  Status Fill(const Brush* brush, const std::vector<GraphicsPath::Figure>& figures);

  std::unique_ptr<detail::Canvas> m_canvas;
  Matrix m_world;
  std::vector<std::array<PointF, 4>> m_clip;
  SmoothingMode m_smoothing = SmoothingModeNone;
  std::vector<Saved> m_saved;
  GraphicsState m_nextState = 1;
  Status m_status = Ok;
};

}  // namespace Gdiplus
