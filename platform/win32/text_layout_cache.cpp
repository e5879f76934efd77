#include "platform/win32/text_layout_cache.h"

#include <algorithm>
#include <cstring>
#include <thread>
#include <vector>

namespace win32::gdi {

namespace {

// The Windows interface faces (and no face at all) have no metric-compatible match here but
// Liberation Sans, which is what every such face is drawn in; other faces are asked of
// fontconfig by name.
std::string FamilyFor(const std::u16string& face) {
  if (face.empty() || IsInterfaceFace(face)) return kInterfaceFaceFamily;
  std::string utf8;
  for (char16_t c : face) utf8 += c < 0x80 ? char(c) : '?';
  return utf8;
}

// Liberation Sans's cell (ascent plus descent) is 1.149 of its em; a positive LOGFONT height asks
// for a cell height, a negative one for an em height.
constexpr double kCellPerEm = 1.149;

bool SameFont(const LOGFONTW& a, const LOGFONTW& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Enough for a window that paints a few labels and a paragraph each time.
constexpr std::size_t kKeptLayouts = 8;

}  // namespace

struct TextLayoutCache {
  struct Entry {
    LOGFONTW font;
    LayoutOptions options;
    std::u16string text;
    PangoLayout* layout;  // one reference
  };

  TextLayoutCache() : thread(std::this_thread::get_id()) {
    context = pango_font_map_create_context(pango_cairo_font_map_get_default());
    // Glyphs land on whole pixels: no antialiasing, no subpixel positions.
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_NONE);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_FULL);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    pango_cairo_context_set_font_options(context, options);
    cairo_font_options_destroy(options);
    pango_cairo_context_set_resolution(context, 96);
  }
  ~TextLayoutCache() {
    for (Entry& entry : recent) g_object_unref(entry.layout);
    if (surfaceOptions) cairo_font_options_destroy(surfaceOptions);
    if (description) pango_font_description_free(description);
    g_object_unref(context);
  }
  TextLayoutCache(const TextLayoutCache&) = delete;
  TextLayoutCache& operator=(const TextLayoutCache&) = delete;

  // The description of the font, kept while the context keeps drawing in it.
  const PangoFontDescription* DescriptionOf(const LOGFONTW& font) {
    if (!description || !SameFont(font, describedFont)) {
      if (description) pango_font_description_free(description);
      description = Describe(font);
      describedFont = font;
    }
    return description;
  }

  // Brings the context up to date with the Cairo state it lays out for. Pango marks a context
  // changed on every update, which would lay every kept layout out again: only a change of
  // transform or of the surface's font options updates it.
  void Follow(cairo_t* cairo) {
    cairo_matrix_t matrix;
    cairo_get_matrix(cairo, &matrix);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_surface_get_font_options(cairo_get_target(cairo), options);
    const bool same = surfaceOptions && std::memcmp(&matrix, &followedMatrix, sizeof matrix) == 0 &&
                      cairo_font_options_equal(options, surfaceOptions);
    if (surfaceOptions) cairo_font_options_destroy(surfaceOptions);
    surfaceOptions = options;
    if (same) return;
    followedMatrix = matrix;
    pango_cairo_update_context(cairo, context);
  }

  std::thread::id thread;
  PangoContext* context;
  cairo_matrix_t followedMatrix{};
  cairo_font_options_t* surfaceOptions = nullptr;  // null until the context first follows
  LOGFONTW describedFont{};
  PangoFontDescription* description = nullptr;
  std::vector<Entry> recent;  // the most recently used first
};

namespace {

TextLayoutCache& CacheOf(DeviceContext& dc) {
  if (!dc.textLayouts || dc.textLayouts->thread != std::this_thread::get_id())
    dc.textLayouts = std::make_shared<TextLayoutCache>();
  return *dc.textLayouts;
}

PangoLayout* MakeLayout(TextLayoutCache& cache, const LOGFONTW& font, const std::u16string& text,
                        const LayoutOptions& options) {
  PangoLayout* layout = pango_layout_new(cache.context);
  pango_layout_set_font_description(layout, cache.DescriptionOf(font));
  glong written = 0;
  gchar* utf8 = g_utf16_to_utf8(reinterpret_cast<const gunichar2*>(text.data()), glong(text.size()),
                                nullptr, &written, nullptr);
  pango_layout_set_text(layout, utf8 ? utf8 : "", utf8 ? int(written) : 0);
  g_free(utf8);
  if (options.width >= 0) pango_layout_set_width(layout, options.width);
  pango_layout_set_wrap(layout, options.wrap);
  pango_layout_set_ellipsize(layout, options.ellipsize);
  pango_layout_set_single_paragraph_mode(layout, options.singleParagraph);
  pango_layout_set_alignment(layout, options.alignment);
  return layout;
}

}  // namespace

PangoContext* TextContext(DeviceContext& dc) {
  TextLayoutCache& cache = CacheOf(dc);
  // Layouts made earlier lay themselves out again when this changes the context.
  cache.Follow(dc.cairo);
  return cache.context;
}

PangoLayout* SharedLayout(DeviceContext& dc, const std::u16string& text, const LayoutOptions& options) {
  TextContext(dc);
  TextLayoutCache& cache = *dc.textLayouts;
  const LOGFONTW font = SelectedFont(dc);
  auto& recent = cache.recent;
  auto found = std::find_if(recent.begin(), recent.end(), [&](const TextLayoutCache::Entry& entry) {
    return entry.options == options && SameFont(entry.font, font) && entry.text == text;
  });
  if (found == recent.end()) {
    if (recent.size() == kKeptLayouts) {
      g_object_unref(recent.back().layout);
      recent.pop_back();
    }
    recent.insert(recent.begin(), {font, options, text, MakeLayout(cache, font, text, options)});
  } else {
    std::rotate(recent.begin(), found, found + 1);
  }
  return PANGO_LAYOUT(g_object_ref(recent.front().layout));
}

PangoLayout* NewLayout(DeviceContext& dc, const std::u16string& text) {
  TextContext(dc);
  return MakeLayout(*dc.textLayouts, SelectedFont(dc), text, {});
}

std::u16string FaceOf(const LOGFONTW& font) {
  std::u16string face;
  for (int i = 0; i < LF_FACESIZE && font.lfFaceName[i]; ++i) face += font.lfFaceName[i];
  return face;
}

PangoFontDescription* Describe(const LOGFONTW& font) {
  PangoFontDescription* description = pango_font_description_new();
  pango_font_description_set_family(description, FamilyFor(FaceOf(font)).c_str());
  pango_font_description_set_weight(description, font.lfWeight >= 600 ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
  pango_font_description_set_style(description, font.lfItalic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
  pango_font_description_set_absolute_size(description, EmPixels(font) * PANGO_SCALE);
  return description;
}

double EmPixels(const LOGFONTW& font) {
  if (font.lfHeight < 0) return -font.lfHeight;
  if (font.lfHeight > 0) return font.lfHeight / kCellPerEm;
  return 12;
}

}  // namespace win32::gdi
