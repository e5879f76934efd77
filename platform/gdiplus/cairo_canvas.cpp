// Drawing on Cairo surfaces: a bitmap's, or the surface behind a window, memory, screen or
// printer context (under that context's origin and clip).
#include <pango/pangocairo.h>
#undef TRUE
#undef FALSE

#include <algorithm>

#include "platform/gdiplus/canvas.h"
#include "platform/gdiplus/image.h"
#include "platform/win32/gdi_internal.h"

namespace Gdiplus::detail {

namespace {

void SetColour(cairo_t* cairo, ARGB colour) {
  cairo_set_source_rgba(cairo, (colour >> 16 & 0xFF) / 255.0, (colour >> 8 & 0xFF) / 255.0,
                        (colour & 0xFF) / 255.0, (colour >> 24) / 255.0);
}

void AddFigures(cairo_t* cairo, const Figures& figures, bool closeAll) {
  for (const GraphicsPath::Figure& figure : figures) {
    if (figure.points.empty()) continue;
    cairo_move_to(cairo, figure.points[0].X, figure.points[0].Y);
    for (std::size_t i = 1; i < figure.points.size(); ++i)
      cairo_line_to(cairo, figure.points[i].X, figure.points[i].Y);
    if (figure.closed || closeAll) cairo_close_path(cairo);
  }
}

cairo_matrix_t CairoMatrix(const Matrix& m) {
  cairo_matrix_t matrix;
  cairo_matrix_init(&matrix, m.Element(0), m.Element(1), m.Element(2), m.Element(3), m.Element(4), m.Element(5));
  return matrix;
}

// A mesh over the gradient's bounds: the focus rectangle in the centre colour, and four
// trapezoids blending from it to the surround colour at the bounds.
cairo_pattern_t* GradientPattern(const PathGradientBrush& brush) {
  const RectF outer = brush.Bounds();
  const double cx = outer.X + outer.Width / 2.0, cy = outer.Y + outer.Height / 2.0;
  const double hw = outer.Width / 2.0 * std::max<REAL>(0, brush.FocusScaleX());
  const double hh = outer.Height / 2.0 * std::max<REAL>(0, brush.FocusScaleY());
  const double o[4][2] = {{outer.X, outer.Y}, {outer.X + outer.Width, outer.Y},
                          {outer.X + outer.Width, outer.Y + outer.Height}, {outer.X, outer.Y + outer.Height}};
  const double in[4][2] = {{cx - hw, cy - hh}, {cx + hw, cy - hh}, {cx + hw, cy + hh}, {cx - hw, cy + hh}};
  Color centre;
  brush.GetCenterColor(&centre);
  const ARGB colours[2] = {brush.SurroundColor().GetValue(), centre.GetValue()};
  cairo_pattern_t* mesh = cairo_pattern_create_mesh();
  auto corner = [mesh](int index, ARGB colour) {
    cairo_mesh_pattern_set_corner_color_rgba(mesh, unsigned(index), (colour >> 16 & 0xFF) / 255.0,
                                             (colour >> 8 & 0xFF) / 255.0, (colour & 0xFF) / 255.0,
                                             (colour >> 24) / 255.0);
  };
  for (int side = 0; side < 4; ++side) {
    const int next = (side + 1) % 4;
    cairo_mesh_pattern_begin_patch(mesh);
    cairo_mesh_pattern_move_to(mesh, o[side][0], o[side][1]);
    cairo_mesh_pattern_line_to(mesh, o[next][0], o[next][1]);
    cairo_mesh_pattern_line_to(mesh, in[next][0], in[next][1]);
    cairo_mesh_pattern_line_to(mesh, in[side][0], in[side][1]);
    corner(0, colours[0]);
    corner(1, colours[0]);
    corner(2, colours[1]);
    corner(3, colours[1]);
    cairo_mesh_pattern_end_patch(mesh);
  }
  cairo_mesh_pattern_begin_patch(mesh);
  cairo_mesh_pattern_move_to(mesh, in[0][0], in[0][1]);
  for (int i = 1; i < 4; ++i) cairo_mesh_pattern_line_to(mesh, in[i][0], in[i][1]);
  for (int i = 0; i < 4; ++i) corner(i, colours[1]);
  cairo_mesh_pattern_end_patch(mesh);
  return mesh;
}

// The layout of a run of text as every canvas on a surface draws it, and as it is measured.
PangoLayout* TextLayout(cairo_t* cairo, const TextRun& run, cairo_antialias_t antialias) {
  PangoLayout* layout = pango_cairo_create_layout(cairo);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, antialias);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  PangoContext* context = pango_layout_get_context(layout);
  pango_cairo_context_set_font_options(context, options);
  pango_cairo_context_set_resolution(context, 96);
  pango_context_changed(context);
  cairo_font_options_destroy(options);
  PangoFontDescription* description = pango_font_description_new();
  pango_font_description_set_family(description, run.family.c_str());
  pango_font_description_set_absolute_size(description, run.pixelSize * PANGO_SCALE);
  pango_layout_set_font_description(layout, description);
  pango_font_description_free(description);
  pango_layout_set_text(layout, run.text.c_str(), int(run.text.size()));
  return layout;
}

class CairoCanvas : public Canvas {
 public:
  void Stroke(const DrawState& state, const Figures& figures, const StrokeStyle& style) override {
    cairo_t* cairo = Begin(state);
    if (!cairo) return;
    AddFigures(cairo, figures, false);
    SetColour(cairo, style.colour);
    cairo_set_line_width(cairo, style.width);
    cairo_set_line_cap(cairo, CAIRO_LINE_CAP_BUTT);
    cairo_set_line_join(cairo, CAIRO_LINE_JOIN_MITER);
    cairo_set_miter_limit(cairo, 10);
    cairo_set_dash(cairo, style.dashes.empty() ? nullptr : style.dashes.data(), int(style.dashes.size()), 0);
    cairo_stroke(cairo);
    End(cairo);
  }

  void Fill(const DrawState& state, const Figures& figures, const FillStyle& style) override {
    cairo_t* cairo = Begin(state);
    if (!cairo) return;
    AddFigures(cairo, figures, true);
    cairo_set_fill_rule(cairo, CAIRO_FILL_RULE_EVEN_ODD);
    if (style.gradient) {
      cairo_pattern_t* pattern = GradientPattern(*style.gradient);
      cairo_set_source(cairo, pattern);
      cairo_pattern_destroy(pattern);
    } else {
      SetColour(cairo, style.colour);
    }
    cairo_fill(cairo);
    End(cairo);
  }

  void Text(const DrawState& state, const TextRun& run) override {
    cairo_t* cairo = Begin(state);
    if (!cairo) return;
    PangoLayout* layout = TextLayout(cairo, run, TextAntialias());
    PangoRectangle logical;
    pango_layout_get_extents(layout, nullptr, &logical);
    const double width = double(logical.width) / PANGO_SCALE, height = double(logical.height) / PANGO_SCALE;
    const double share[3] = {0, 0.5, 1};
    cairo_move_to(cairo, run.origin.X - width * share[run.horizontal], run.origin.Y - height * share[run.vertical]);
    SetColour(cairo, run.colour);
    pango_cairo_show_layout(cairo, layout);
    g_object_unref(layout);
    End(cairo);
  }

  void Clear(const DrawState& state, ARGB colour) override {
    cairo_t* cairo = Begin(state);
    if (!cairo) return;
    SetColour(cairo, colour);
    cairo_set_operator(cairo, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cairo);
    End(cairo);
  }

 protected:
  // The Cairo context for one call, with the target's own origin and clip; null when there is
  // nothing to draw on.
  virtual cairo_t* Target() = 0;
  virtual cairo_antialias_t TextAntialias() const = 0;

 private:
  cairo_t* Begin(const DrawState& state) {
    cairo_t* cairo = Target();
    if (!cairo) return nullptr;
    cairo_save(cairo);
    cairo_set_operator(cairo, CAIRO_OPERATOR_OVER);
    cairo_new_path(cairo);
    for (const Quad& quad : state.clip) {
      cairo_move_to(cairo, quad[0].X, quad[0].Y);
      for (int i = 1; i < 4; ++i) cairo_line_to(cairo, quad[i].X, quad[i].Y);
      cairo_close_path(cairo);
      cairo_clip(cairo);
    }
    const cairo_matrix_t world = CairoMatrix(state.world);
    cairo_transform(cairo, &world);
    cairo_set_antialias(cairo, state.antialias ? CAIRO_ANTIALIAS_DEFAULT : CAIRO_ANTIALIAS_NONE);
    return cairo;
  }

  static void End(cairo_t* cairo) {
    cairo_new_path(cairo);
    cairo_restore(cairo);
  }
};

class BitmapCanvas : public CairoCanvas {
 public:
  explicit BitmapCanvas(Bitmap& bitmap) : m_bitmap(bitmap) {}
  ~BitmapCanvas() override {
    if (m_cairo) cairo_destroy(m_cairo);
  }

 protected:
  cairo_t* Target() override {
    cairo_surface_t* surface = m_bitmap.Surface();  // also tells the bitmap it is drawn on
    if (!surface) return nullptr;
    if (!m_cairo) m_cairo = cairo_create(surface);
    return m_cairo;
  }
  cairo_antialias_t TextAntialias() const override { return CAIRO_ANTIALIAS_GRAY; }

 private:
  Bitmap& m_bitmap;
  cairo_t* m_cairo = nullptr;
};

// Text and shapes on a context's surface keep the context's exact pixels unless the Graphics
// asks for smoothing; text follows the GDI text of the same context.
class SurfaceContextCanvas : public CairoCanvas {
 public:
  explicit SurfaceContextCanvas(HDC dc) : m_dc(dc) {}

 protected:
  cairo_t* Target() override {
    win32::gdi::DeviceContext* context = win32::gdi::FindDC(m_dc);
    return context && context->cairo ? win32::gdi::Prepare(*context) : nullptr;
  }
  cairo_antialias_t TextAntialias() const override { return CAIRO_ANTIALIAS_NONE; }

 private:
  HDC m_dc;
};

}  // namespace

RectF MeasureText(const TextRun& run) {
  cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
  cairo_t* cairo = cairo_create(scratch);
  PangoLayout* layout = TextLayout(cairo, run, CAIRO_ANTIALIAS_GRAY);
  PangoRectangle logical;
  pango_layout_get_extents(layout, nullptr, &logical);
  g_object_unref(layout);
  cairo_destroy(cairo);
  cairo_surface_destroy(scratch);
  return RectF(0, 0, REAL(double(logical.width) / PANGO_SCALE), REAL(double(logical.height) / PANGO_SCALE));
}

std::unique_ptr<Canvas> MakeBitmapCanvas(Bitmap& bitmap) { return std::make_unique<BitmapCanvas>(bitmap); }

std::unique_ptr<Canvas> MakeSurfaceContextCanvas(HDC dc) {
  return std::make_unique<SurfaceContextCanvas>(dc);
}

}  // namespace Gdiplus::detail
