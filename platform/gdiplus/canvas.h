// What a Graphics draws on: a Cairo surface (a bitmap, or a window, memory or printer context),
// or the GDI records of a metafile context. A Graphics turns every call into figures in world
// coordinates with the state they are drawn under; the canvas renders them. Internal to the
// GDI+ library; owned by the Graphics.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "platform/gdiplus/brushes.h"
#include "platform/gdiplus/graphics_path.h"
#include "platform/gdiplus/matrix.h"
#include "platform/win32/screen.h"

namespace Gdiplus {
class Bitmap;
}

namespace Gdiplus::detail {

using Figures = std::vector<GraphicsPath::Figure>;
// A clip rectangle as it lands on the device: four corners after the world transform.
using Quad = std::array<PointF, 4>;

struct DrawState {
  Matrix world;
  std::vector<Quad> clip;  // every quad is intersected in; none: no clip
  bool antialias = false;
};

struct StrokeStyle {
  ARGB colour = 0;
  double width = 1;             // world units
  std::vector<double> dashes;   // world units; empty: solid
};

struct FillStyle {
  ARGB colour = 0;
  const PathGradientBrush* gradient = nullptr;  // when set, fills instead of the colour
};

struct TextRun {
  std::string text;    // UTF-8
  std::string family;  // installed name
  double pixelSize = 10;
  ARGB colour = 0;
  StringAlignment horizontal = StringAlignmentNear;
  StringAlignment vertical = StringAlignmentNear;
  PointF origin;
};

class Canvas {
 public:
  virtual ~Canvas() = default;
  virtual void Stroke(const DrawState& state, const Figures& figures, const StrokeStyle& style) = 0;
  virtual void Fill(const DrawState& state, const Figures& figures, const FillStyle& style) = 0;
  virtual void Text(const DrawState& state, const TextRun& run) = 0;
  virtual void Clear(const DrawState& state, ARGB colour) = 0;
};

// The logical box of a run as the surface canvases lay it out, at the origin.
RectF MeasureText(const TextRun& run);

std::unique_ptr<Canvas> MakeBitmapCanvas(Bitmap& bitmap);
// A context that draws on a surface: window, memory, screen or printer.
std::unique_ptr<Canvas> MakeSurfaceContextCanvas(HDC dc);
// A metafile context: drawn through its GDI records.
std::unique_ptr<Canvas> MakeMetafileContextCanvas(HDC dc);

}  // namespace Gdiplus::detail
