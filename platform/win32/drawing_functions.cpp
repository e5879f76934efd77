// The drawing libraries' functions that the platform calls, each forwarding to the library's own,
// bound the first time it is called. They are hidden: the rest of the platform library calls
// them instead of linking the drawing libraries, and nothing outside it sees them, so Cairo's
// and Pango's own calls among themselves are untouched.
#include <cairo-pdf.h>
#include <pango/pangocairo.h>

#include "platform/win32/drawing_library.h"

#define RHYTH_FORWARD(name, ...)                                                                \
  static const auto bound = reinterpret_cast<decltype(&::name)>(win32::DrawingFunction(#name)); \
  return bound(__VA_ARGS__)

#pragma GCC visibility push(hidden)
extern "C" {

void cairo_arc(cairo_t* cr, double xc, double yc, double radius, double angle1, double angle2) {
  RHYTH_FORWARD(cairo_arc, cr, xc, yc, radius, angle1, angle2);
}
void cairo_clip(cairo_t* cr) { RHYTH_FORWARD(cairo_clip, cr); }
void cairo_close_path(cairo_t* cr) { RHYTH_FORWARD(cairo_close_path, cr); }
cairo_t* cairo_create(cairo_surface_t* target) { RHYTH_FORWARD(cairo_create, target); }
void cairo_destroy(cairo_t* cr) { RHYTH_FORWARD(cairo_destroy, cr); }
void cairo_fill(cairo_t* cr) { RHYTH_FORWARD(cairo_fill, cr); }
cairo_font_options_t* cairo_font_options_create() { RHYTH_FORWARD(cairo_font_options_create); }
void cairo_font_options_destroy(cairo_font_options_t* options) {
  RHYTH_FORWARD(cairo_font_options_destroy, options);
}
cairo_bool_t cairo_font_options_equal(const cairo_font_options_t* options,
                                      const cairo_font_options_t* other) {
  RHYTH_FORWARD(cairo_font_options_equal, options, other);
}
void cairo_font_options_set_antialias(cairo_font_options_t* options, cairo_antialias_t antialias) {
  RHYTH_FORWARD(cairo_font_options_set_antialias, options, antialias);
}
void cairo_font_options_set_hint_metrics(cairo_font_options_t* options,
                                         cairo_hint_metrics_t hint_metrics) {
  RHYTH_FORWARD(cairo_font_options_set_hint_metrics, options, hint_metrics);
}
void cairo_font_options_set_hint_style(cairo_font_options_t* options,
                                       cairo_hint_style_t hint_style) {
  RHYTH_FORWARD(cairo_font_options_set_hint_style, options, hint_style);
}
void cairo_get_matrix(cairo_t* cr, cairo_matrix_t* matrix) {
  RHYTH_FORWARD(cairo_get_matrix, cr, matrix);
}
cairo_surface_t* cairo_get_target(cairo_t* cr) { RHYTH_FORWARD(cairo_get_target, cr); }
void cairo_identity_matrix(cairo_t* cr) { RHYTH_FORWARD(cairo_identity_matrix, cr); }
cairo_surface_t* cairo_image_surface_create(cairo_format_t format, int width, int height) {
  RHYTH_FORWARD(cairo_image_surface_create, format, width, height);
}
unsigned char* cairo_image_surface_get_data(cairo_surface_t* surface) {
  RHYTH_FORWARD(cairo_image_surface_get_data, surface);
}
cairo_format_t cairo_image_surface_get_format(cairo_surface_t* surface) {
  RHYTH_FORWARD(cairo_image_surface_get_format, surface);
}
int cairo_image_surface_get_height(cairo_surface_t* surface) {
  RHYTH_FORWARD(cairo_image_surface_get_height, surface);
}
int cairo_image_surface_get_stride(cairo_surface_t* surface) {
  RHYTH_FORWARD(cairo_image_surface_get_stride, surface);
}
int cairo_image_surface_get_width(cairo_surface_t* surface) {
  RHYTH_FORWARD(cairo_image_surface_get_width, surface);
}
void cairo_line_to(cairo_t* cr, double x, double y) { RHYTH_FORWARD(cairo_line_to, cr, x, y); }
void cairo_matrix_init(cairo_matrix_t* matrix, double xx, double yx, double xy, double yy,
                       double x0, double y0) {
  RHYTH_FORWARD(cairo_matrix_init, matrix, xx, yx, xy, yy, x0, y0);
}
void cairo_matrix_init_scale(cairo_matrix_t* matrix, double sx, double sy) {
  RHYTH_FORWARD(cairo_matrix_init_scale, matrix, sx, sy);
}
void cairo_matrix_translate(cairo_matrix_t* matrix, double tx, double ty) {
  RHYTH_FORWARD(cairo_matrix_translate, matrix, tx, ty);
}
void cairo_move_to(cairo_t* cr, double x, double y) { RHYTH_FORWARD(cairo_move_to, cr, x, y); }
void cairo_new_path(cairo_t* cr) { RHYTH_FORWARD(cairo_new_path, cr); }
void cairo_paint(cairo_t* cr) { RHYTH_FORWARD(cairo_paint, cr); }
cairo_pattern_t* cairo_pattern_create_for_surface(cairo_surface_t* surface) {
  RHYTH_FORWARD(cairo_pattern_create_for_surface, surface);
}
void cairo_pattern_destroy(cairo_pattern_t* pattern) {
  RHYTH_FORWARD(cairo_pattern_destroy, pattern);
}
void cairo_pattern_set_filter(cairo_pattern_t* pattern, cairo_filter_t filter) {
  RHYTH_FORWARD(cairo_pattern_set_filter, pattern, filter);
}
void cairo_pattern_set_matrix(cairo_pattern_t* pattern, const cairo_matrix_t* matrix) {
  RHYTH_FORWARD(cairo_pattern_set_matrix, pattern, matrix);
}
cairo_surface_t* cairo_pdf_surface_create(const char* filename, double width_in_points,
                                          double height_in_points) {
  RHYTH_FORWARD(cairo_pdf_surface_create, filename, width_in_points, height_in_points);
}
void cairo_rectangle(cairo_t* cr, double x, double y, double width, double height) {
  RHYTH_FORWARD(cairo_rectangle, cr, x, y, width, height);
}
cairo_bool_t cairo_region_contains_point(const cairo_region_t* region, int x, int y) {
  RHYTH_FORWARD(cairo_region_contains_point, region, x, y);
}
cairo_region_t* cairo_region_copy(const cairo_region_t* original) {
  RHYTH_FORWARD(cairo_region_copy, original);
}
cairo_region_t* cairo_region_create_rectangle(const cairo_rectangle_int_t* rectangle) {
  RHYTH_FORWARD(cairo_region_create_rectangle, rectangle);
}
void cairo_region_destroy(cairo_region_t* region) { RHYTH_FORWARD(cairo_region_destroy, region); }
void cairo_region_get_extents(const cairo_region_t* region, cairo_rectangle_int_t* extents) {
  RHYTH_FORWARD(cairo_region_get_extents, region, extents);
}
void cairo_region_get_rectangle(const cairo_region_t* region, int nth,
                                cairo_rectangle_int_t* rectangle) {
  RHYTH_FORWARD(cairo_region_get_rectangle, region, nth, rectangle);
}
cairo_status_t cairo_region_intersect(cairo_region_t* dst, const cairo_region_t* other) {
  RHYTH_FORWARD(cairo_region_intersect, dst, other);
}
int cairo_region_num_rectangles(const cairo_region_t* region) {
  RHYTH_FORWARD(cairo_region_num_rectangles, region);
}
cairo_status_t cairo_region_subtract(cairo_region_t* dst, const cairo_region_t* other) {
  RHYTH_FORWARD(cairo_region_subtract, dst, other);
}
cairo_status_t cairo_region_union(cairo_region_t* dst, const cairo_region_t* other) {
  RHYTH_FORWARD(cairo_region_union, dst, other);
}
cairo_status_t cairo_region_xor(cairo_region_t* dst, const cairo_region_t* other) {
  RHYTH_FORWARD(cairo_region_xor, dst, other);
}
void cairo_reset_clip(cairo_t* cr) { RHYTH_FORWARD(cairo_reset_clip, cr); }
void cairo_restore(cairo_t* cr) { RHYTH_FORWARD(cairo_restore, cr); }
void cairo_save(cairo_t* cr) { RHYTH_FORWARD(cairo_save, cr); }
void cairo_scale(cairo_t* cr, double sx, double sy) { RHYTH_FORWARD(cairo_scale, cr, sx, sy); }
void cairo_set_antialias(cairo_t* cr, cairo_antialias_t antialias) {
  RHYTH_FORWARD(cairo_set_antialias, cr, antialias);
}
void cairo_set_dash(cairo_t* cr, const double* dashes, int num_dashes, double offset) {
  RHYTH_FORWARD(cairo_set_dash, cr, dashes, num_dashes, offset);
}
void cairo_set_line_cap(cairo_t* cr, cairo_line_cap_t line_cap) {
  RHYTH_FORWARD(cairo_set_line_cap, cr, line_cap);
}
void cairo_set_line_join(cairo_t* cr, cairo_line_join_t line_join) {
  RHYTH_FORWARD(cairo_set_line_join, cr, line_join);
}
void cairo_set_line_width(cairo_t* cr, double width) {
  RHYTH_FORWARD(cairo_set_line_width, cr, width);
}
void cairo_set_operator(cairo_t* cr, cairo_operator_t op) {
  RHYTH_FORWARD(cairo_set_operator, cr, op);
}
void cairo_set_source(cairo_t* cr, cairo_pattern_t* source) {
  RHYTH_FORWARD(cairo_set_source, cr, source);
}
void cairo_set_source_rgb(cairo_t* cr, double red, double green, double blue) {
  RHYTH_FORWARD(cairo_set_source_rgb, cr, red, green, blue);
}
void cairo_set_source_surface(cairo_t* cr, cairo_surface_t* surface, double x, double y) {
  RHYTH_FORWARD(cairo_set_source_surface, cr, surface, x, y);
}
void cairo_show_page(cairo_t* cr) { RHYTH_FORWARD(cairo_show_page, cr); }
void cairo_stroke(cairo_t* cr) { RHYTH_FORWARD(cairo_stroke, cr); }
void cairo_surface_destroy(cairo_surface_t* surface) {
  RHYTH_FORWARD(cairo_surface_destroy, surface);
}
void cairo_surface_finish(cairo_surface_t* surface) {
  RHYTH_FORWARD(cairo_surface_finish, surface);
}
void cairo_surface_flush(cairo_surface_t* surface) { RHYTH_FORWARD(cairo_surface_flush, surface); }
void cairo_surface_get_font_options(cairo_surface_t* surface, cairo_font_options_t* options) {
  RHYTH_FORWARD(cairo_surface_get_font_options, surface, options);
}
cairo_surface_type_t cairo_surface_get_type(cairo_surface_t* surface) {
  RHYTH_FORWARD(cairo_surface_get_type, surface);
}
void cairo_surface_mark_dirty_rectangle(cairo_surface_t* surface, int x, int y, int width,
                                        int height) {
  RHYTH_FORWARD(cairo_surface_mark_dirty_rectangle, surface, x, y, width, height);
}
void cairo_surface_mark_dirty(cairo_surface_t* surface) {
  RHYTH_FORWARD(cairo_surface_mark_dirty, surface);
}
cairo_surface_t* cairo_surface_reference(cairo_surface_t* surface) {
  RHYTH_FORWARD(cairo_surface_reference, surface);
}
void cairo_surface_set_device_scale(cairo_surface_t* surface, double x_scale, double y_scale) {
  RHYTH_FORWARD(cairo_surface_set_device_scale, surface, x_scale, y_scale);
}
cairo_status_t cairo_surface_status(cairo_surface_t* surface) {
  RHYTH_FORWARD(cairo_surface_status, surface);
}
void cairo_transform(cairo_t* cr, const cairo_matrix_t* matrix) {
  RHYTH_FORWARD(cairo_transform, cr, matrix);
}
void cairo_translate(cairo_t* cr, double tx, double ty) {
  RHYTH_FORWARD(cairo_translate, cr, tx, ty);
}

void g_free(gpointer mem) { RHYTH_FORWARD(g_free, mem); }
// Parenthesised: GLib also defines the name as a type-preserving macro.
gpointer(g_object_ref)(gpointer object) { RHYTH_FORWARD(g_object_ref, object); }
void g_object_unref(gpointer object) { RHYTH_FORWARD(g_object_unref, object); }
GTypeInstance* g_type_check_instance_cast(GTypeInstance* instance, GType iface_type) {
  RHYTH_FORWARD(g_type_check_instance_cast, instance, iface_type);
}
gchar* g_utf16_to_utf8(const gunichar2* str, glong len, glong* items_read, glong* items_written,
                       GError** error) {
  RHYTH_FORWARD(g_utf16_to_utf8, str, len, items_read, items_written, error);
}
gunichar2* g_utf8_to_utf16(const gchar* str, glong len, glong* items_read, glong* items_written,
                           GError** error) {
  RHYTH_FORWARD(g_utf8_to_utf16, str, len, items_read, items_written, error);
}

void pango_cairo_context_set_font_options(PangoContext* context,
                                          const cairo_font_options_t* options) {
  RHYTH_FORWARD(pango_cairo_context_set_font_options, context, options);
}
void pango_cairo_context_set_resolution(PangoContext* context, double dpi) {
  RHYTH_FORWARD(pango_cairo_context_set_resolution, context, dpi);
}
PangoFontMap* pango_cairo_font_map_get_default() {
  RHYTH_FORWARD(pango_cairo_font_map_get_default);
}
void pango_cairo_show_layout(cairo_t* cr, PangoLayout* layout) {
  RHYTH_FORWARD(pango_cairo_show_layout, cr, layout);
}
void pango_cairo_show_layout_line(cairo_t* cr, PangoLayoutLine* line) {
  RHYTH_FORWARD(pango_cairo_show_layout_line, cr, line);
}
void pango_cairo_update_context(cairo_t* cr, PangoContext* context) {
  RHYTH_FORWARD(pango_cairo_update_context, cr, context);
}
PangoFontMetrics* pango_context_get_metrics(PangoContext* context, const PangoFontDescription* desc,
                                            PangoLanguage* language) {
  RHYTH_FORWARD(pango_context_get_metrics, context, desc, language);
}
void pango_font_description_free(PangoFontDescription* desc) {
  RHYTH_FORWARD(pango_font_description_free, desc);
}
PangoFontDescription* pango_font_description_new() { RHYTH_FORWARD(pango_font_description_new); }
void pango_font_description_set_absolute_size(PangoFontDescription* desc, double size) {
  RHYTH_FORWARD(pango_font_description_set_absolute_size, desc, size);
}
void pango_font_description_set_family(PangoFontDescription* desc, const char* family) {
  RHYTH_FORWARD(pango_font_description_set_family, desc, family);
}
void pango_font_description_set_style(PangoFontDescription* desc, PangoStyle style) {
  RHYTH_FORWARD(pango_font_description_set_style, desc, style);
}
void pango_font_description_set_weight(PangoFontDescription* desc, PangoWeight weight) {
  RHYTH_FORWARD(pango_font_description_set_weight, desc, weight);
}
PangoContext* pango_font_map_create_context(PangoFontMap* fontmap) {
  RHYTH_FORWARD(pango_font_map_create_context, fontmap);
}
int pango_font_metrics_get_approximate_char_width(PangoFontMetrics* metrics) {
  RHYTH_FORWARD(pango_font_metrics_get_approximate_char_width, metrics);
}
int pango_font_metrics_get_ascent(PangoFontMetrics* metrics) {
  RHYTH_FORWARD(pango_font_metrics_get_ascent, metrics);
}
int pango_font_metrics_get_descent(PangoFontMetrics* metrics) {
  RHYTH_FORWARD(pango_font_metrics_get_descent, metrics);
}
void pango_font_metrics_unref(PangoFontMetrics* metrics) {
  RHYTH_FORWARD(pango_font_metrics_unref, metrics);
}
int pango_layout_get_baseline(PangoLayout* layout) {
  RHYTH_FORWARD(pango_layout_get_baseline, layout);
}
PangoLayoutIter* pango_layout_get_iter(PangoLayout* layout) {
  RHYTH_FORWARD(pango_layout_get_iter, layout);
}
int pango_layout_get_line_count(PangoLayout* layout) {
  RHYTH_FORWARD(pango_layout_get_line_count, layout);
}
void pango_layout_get_pixel_extents(PangoLayout* layout, PangoRectangle* ink_rect,
                                    PangoRectangle* logical_rect) {
  RHYTH_FORWARD(pango_layout_get_pixel_extents, layout, ink_rect, logical_rect);
}
const char* pango_layout_get_text(PangoLayout* layout) {
  RHYTH_FORWARD(pango_layout_get_text, layout);
}
GType pango_layout_get_type() { RHYTH_FORWARD(pango_layout_get_type); }
void pango_layout_iter_free(PangoLayoutIter* iter) { RHYTH_FORWARD(pango_layout_iter_free, iter); }
void pango_layout_iter_get_char_extents(PangoLayoutIter* iter, PangoRectangle* logical_rect) {
  RHYTH_FORWARD(pango_layout_iter_get_char_extents, iter, logical_rect);
}
int pango_layout_iter_get_index(PangoLayoutIter* iter) {
  RHYTH_FORWARD(pango_layout_iter_get_index, iter);
}
void pango_layout_iter_get_line_extents(PangoLayoutIter* iter, PangoRectangle* ink_rect,
                                        PangoRectangle* logical_rect) {
  RHYTH_FORWARD(pango_layout_iter_get_line_extents, iter, ink_rect, logical_rect);
}
PangoLayoutLine* pango_layout_iter_get_line_readonly(PangoLayoutIter* iter) {
  RHYTH_FORWARD(pango_layout_iter_get_line_readonly, iter);
}
gboolean pango_layout_iter_next_char(PangoLayoutIter* iter) {
  RHYTH_FORWARD(pango_layout_iter_next_char, iter);
}
gboolean pango_layout_iter_next_line(PangoLayoutIter* iter) {
  RHYTH_FORWARD(pango_layout_iter_next_line, iter);
}
PangoLayout* pango_layout_new(PangoContext* context) { RHYTH_FORWARD(pango_layout_new, context); }
void pango_layout_set_alignment(PangoLayout* layout, PangoAlignment alignment) {
  RHYTH_FORWARD(pango_layout_set_alignment, layout, alignment);
}
void pango_layout_set_ellipsize(PangoLayout* layout, PangoEllipsizeMode ellipsize) {
  RHYTH_FORWARD(pango_layout_set_ellipsize, layout, ellipsize);
}
void pango_layout_set_font_description(PangoLayout* layout, const PangoFontDescription* desc) {
  RHYTH_FORWARD(pango_layout_set_font_description, layout, desc);
}
void pango_layout_set_single_paragraph_mode(PangoLayout* layout, gboolean setting) {
  RHYTH_FORWARD(pango_layout_set_single_paragraph_mode, layout, setting);
}
void pango_layout_set_text(PangoLayout* layout, const char* text, int length) {
  RHYTH_FORWARD(pango_layout_set_text, layout, text, length);
}
void pango_layout_set_width(PangoLayout* layout, int width) {
  RHYTH_FORWARD(pango_layout_set_width, layout, width);
}
void pango_layout_set_wrap(PangoLayout* layout, PangoWrapMode wrap) {
  RHYTH_FORWARD(pango_layout_set_wrap, layout, wrap);
}

}  // extern "C"
#pragma GCC visibility pop
