#include <algorithm>
#include <map>
#include <mutex>
#include <cmath>
#include <string>

#include "platform/win32/gdi_internal.h"
#include "platform/win32/metafile_recording.h"
#include "platform/win32/text_layout_cache.h"

using namespace win32::gdi;

namespace {

struct Metrics {
  int ascent, descent, averageWidth, maxWidth;
};

Metrics MeasureMetrics(DeviceContext& dc) {
  PangoContext* context = TextContext(dc);
  PangoFontDescription* description = Describe(SelectedFont(dc));
  PangoFontMetrics* metrics = pango_context_get_metrics(context, description, nullptr);
  Metrics result{PANGO_PIXELS_CEIL(pango_font_metrics_get_ascent(metrics)),
                 PANGO_PIXELS_CEIL(pango_font_metrics_get_descent(metrics)),
                 PANGO_PIXELS(pango_font_metrics_get_approximate_char_width(metrics)), 0};
  result.maxWidth = int(std::lround(EmPixels(SelectedFont(dc))));
  pango_font_metrics_unref(metrics);
  pango_font_description_free(description);
  return result;
}

// Font metrics take a font lookup to measure; they depend only on the font's description.
Metrics MetricsOf(DeviceContext& dc) {
  const LOGFONTW font = SelectedFont(dc);
  std::string key(reinterpret_cast<const char*>(&font), sizeof font);
  static std::mutex mutex;
  static std::map<std::string, Metrics> cache;
  {
    std::lock_guard lock(mutex);
    auto it = cache.find(key);
    if (it != cache.end()) return it->second;
  }
  const Metrics measured = MeasureMetrics(dc);
  std::lock_guard lock(mutex);
  cache.emplace(std::move(key), measured);
  return measured;
}

std::u16string TextOf(LPCWSTR text, int count) {
  if (!text) return {};
  if (count < 0) return std::u16string(text);
  return std::u16string(text, std::size_t(count));
}

// Draws a layout with its top-left at (x, y) in logical coordinates, in the text colour.
void ShowLayout(DeviceContext& dc, PangoLayout* layout, double x, double y) {
  cairo_t* cairo = dc.cairo;
  cairo_set_operator(cairo, CAIRO_OPERATOR_OVER);
  SetSourceColour(cairo, dc.textColour);
  cairo_move_to(cairo, x, y);
  pango_cairo_show_layout(cairo, layout);
  cairo_new_path(cairo);
}

void FillOpaque(DeviceContext& dc, double x, double y, double width, double height) {
  cairo_set_operator(dc.cairo, CAIRO_OPERATOR_SOURCE);
  SetSourceColour(dc.cairo, dc.backColour);
  cairo_rectangle(dc.cairo, x, y, width, height);
  cairo_fill(dc.cairo);
}

// Removes the ampersands that mark mnemonics ("&&" stands for one ampersand).
std::u16string WithoutPrefixes(const std::u16string& text) {
  std::u16string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'&' && i + 1 < text.size()) ++i;
    else if (text[i] == u'&') continue;
    out += text[i];
  }
  return out;
}

// The advance of each character, measured in one layout; the second half of a surrogate pair
// advances by nothing.
std::vector<INT> CharacterAdvances(DeviceContext& dc, const std::u16string& text) {
  std::vector<INT> advances(text.size(), 0);
  if (text.empty()) return advances;
  // The UTF-16 index of each UTF-8 byte that starts a character.
  std::map<int, std::size_t> unitAtByte;
  int byteIndex = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c >= 0xDC00 && c < 0xE000 && i > 0) continue;  // low surrogate: counted with its pair
    unitAtByte[byteIndex] = i;
    byteIndex += (c >= 0xD800 && c < 0xDC00) ? 4 : c < 0x80 ? 1 : c < 0x800 ? 2 : 3;
  }
  PangoLayout* layout = SharedLayout(dc, text);
  PangoLayoutIter* iter = pango_layout_get_iter(layout);
  int pen = 0;  // Pango units, rounded as the text is drawn
  do {
    PangoRectangle extent;
    pango_layout_iter_get_char_extents(iter, &extent);
    auto unit = unitAtByte.find(pango_layout_iter_get_index(iter));
    if (unit == unitAtByte.end()) continue;
    const int end = extent.x + extent.width;
    advances[unit->second] = PANGO_PIXELS(end) - PANGO_PIXELS(pen);
    pen = end;
  } while (pango_layout_iter_next_char(iter));
  pango_layout_iter_free(iter);
  g_object_unref(layout);
  return advances;
}

// DrawTextW as a saved file holds it: each laid-out line as text at its row's top-left, clipped
// to the rectangle unless DT_NOCLIP.
win32::emf::Bytes LineRecords(DeviceContext& dc, PangoLayout* layout, const RECT& box, double top, int lineHeight, UINT format) {
  using namespace win32::emf;
  Bytes records = WordRecord(kSetTextAlign, TA_TOP | TA_LEFT);
  const char* utf8 = pango_layout_get_text(layout);
  PangoLayoutIter* iter = pango_layout_get_iter(layout);
  int row = 0;
  do {
    const PangoLayoutLine* line = pango_layout_iter_get_line_readonly(iter);
    PangoRectangle extent;
    pango_layout_iter_get_line_extents(iter, nullptr, &extent);
    glong units = 0;
    gunichar2* text16 = g_utf8_to_utf16(utf8 + line->start_index, line->length, nullptr, &units, nullptr);
    std::u16string text(reinterpret_cast<const char16_t*>(text16), std::size_t(units));
    g_free(text16);
    while (!text.empty() && (text.back() == u'\n' || text.back() == u'\r')) text.pop_back();
    if (!text.empty()) {
      const int x = box.left + PANGO_PIXELS(extent.x);
      const int y = int(top) + row * lineHeight;
      const Bytes record = TextRecord(x, y, (format & DT_NOCLIP) ? 0 : ETO_CLIPPED,
                                      (format & DT_NOCLIP) ? nullptr : &box, text,
                                      CharacterAdvances(dc, text));
      records.insert(records.end(), record.begin(), record.end());
    }
    ++row;
  } while (pango_layout_iter_next_line(iter));
  pango_layout_iter_free(iter);
  return records;
}

}  // namespace

BOOL ExtTextOutW(HDC dc, int x, int y, UINT options, const RECT* rect, LPCWSTR text, UINT count,
                 const INT* dx) {
  DeviceContext* context = FindDC(dc);
  if (!context) return FALSE;
  const std::u16string content = TextOf(text, int(count));
  const bool hasRect = rect != nullptr;
  const RECT box = rect ? *rect : RECT{};
  std::vector<INT> advances;
  if (dx) advances.assign(dx, dx + count);
  Prepare(*context);
  if (IsRecording(*context))
    Record(*context,
           [=](HDC target) {
             ExtTextOutW(target, x, y, options, hasRect ? &box : nullptr, content.c_str(),
                         UINT(content.size()), advances.empty() ? nullptr : advances.data());
           },
           win32::emf::TextRecord(x, y, options, hasRect ? &box : nullptr, content,
                                  advances.empty() ? CharacterAdvances(*context, content) : advances));
  cairo_t* cairo = context->cairo;
  if (hasRect && (options & ETO_OPAQUE))
    FillOpaque(*context, box.left, box.top, box.right - box.left, box.bottom - box.top);
  if (hasRect && (options & ETO_CLIPPED)) {
    cairo_rectangle(cairo, box.left, box.top, box.right - box.left, box.bottom - box.top);
    cairo_clip(cairo);
  }
  if (content.empty()) return TRUE;
  PangoLayout* layout = SharedLayout(*context, content);
  PangoRectangle logical;
  pango_layout_get_pixel_extents(layout, nullptr, &logical);
  const int baseline = PANGO_PIXELS(pango_layout_get_baseline(layout));
  double left = x, top = y;
  const UINT align = context->textAlign;
  if (align & TA_UPDATECP) left = context->position.x, top = context->position.y;
  if ((align & TA_CENTER) == TA_CENTER) left -= logical.width / 2.0;
  else if (align & TA_RIGHT) left -= logical.width;
  if ((align & TA_BASELINE) == TA_BASELINE) top -= baseline;
  else if (align & TA_BOTTOM) top -= logical.height;
  if (context->backMode == OPAQUE && !(hasRect && (options & ETO_OPAQUE)))
    FillOpaque(*context, left, top, logical.width, logical.height);
  if (!advances.empty()) {
    // Explicit advances place each character on its own.
    double pen = left;
    for (std::size_t i = 0; i < content.size(); ++i) {
      PangoLayout* glyph = NewLayout(*context, content.substr(i, 1));
      ShowLayout(*context, glyph, std::floor(pen), top);
      g_object_unref(glyph);
      pen += advances[i];
    }
  } else {
    ShowLayout(*context, layout, left, top);
  }
  if (align & TA_UPDATECP) context->position.x += logical.width;
  g_object_unref(layout);
  return TRUE;
}

BOOL TextOutW(HDC dc, int x, int y, LPCWSTR text, int count) {
  return ExtTextOutW(dc, x, y, 0, nullptr, text, UINT(std::max(0, count)), nullptr);
}

BOOL GetTextExtentPoint32W(HDC dc, LPCWSTR text, int count, SIZE* size) {
  DeviceContext* context = FindDC(dc);
  if (!context || !size || count < 0) return FALSE;
  PangoLayout* layout = SharedLayout(*context, TextOf(text, count));
  PangoRectangle logical;
  pango_layout_get_pixel_extents(layout, nullptr, &logical);
  const Metrics metrics = MetricsOf(*context);
  *size = {logical.width, metrics.ascent + metrics.descent};
  g_object_unref(layout);
  return TRUE;
}

BOOL GetTextMetricsW(HDC dc, TEXTMETRICW* metrics) {
  DeviceContext* context = FindDC(dc);
  if (!context || !metrics) return FALSE;
  const Metrics measured = MetricsOf(*context);
  const LOGFONTW font = SelectedFont(*context);
  *metrics = {};
  metrics->tmAscent = measured.ascent;
  metrics->tmDescent = measured.descent;
  metrics->tmHeight = measured.ascent + measured.descent;
  metrics->tmInternalLeading = std::max<LONG>(0, metrics->tmHeight - LONG(std::lround(EmPixels(font))));
  metrics->tmExternalLeading = 0;
  metrics->tmAveCharWidth = measured.averageWidth;
  metrics->tmMaxCharWidth = measured.maxWidth;
  metrics->tmWeight = font.lfWeight ? font.lfWeight : FW_NORMAL;
  metrics->tmDigitizedAspectX = metrics->tmDigitizedAspectY = context->dotsPerInch;
  metrics->tmFirstChar = 0x20;
  metrics->tmLastChar = 0xFFFC;
  metrics->tmDefaultChar = 0x1F;
  metrics->tmBreakChar = 0x20;
  metrics->tmItalic = font.lfItalic;
  metrics->tmPitchAndFamily = VARIABLE_PITCH | FF_SWISS | 0x04;  // TrueType
  metrics->tmCharSet = font.lfCharSet;
  return TRUE;
}

int GetTextFaceW(HDC dc, int capacity, LPWSTR face) {
  DeviceContext* context = FindDC(dc);
  if (!context) return 0;
  const std::u16string name = FaceOf(SelectedFont(*context));
  if (!face) return int(name.size()) + 1;
  const int count = std::min<int>(int(name.size()), capacity - 1);
  std::copy_n(name.data(), std::max(0, count), face);
  if (capacity > 0) face[std::max(0, count)] = 0;
  return count;
}

int DrawTextW(HDC dc, LPCWSTR text, int count, RECT* rect, UINT format) {
  DeviceContext* context = FindDC(dc);
  if (!context || !rect) return 0;
  std::u16string content = TextOf(text, count);
  if (!(format & DT_NOPREFIX)) content = WithoutPrefixes(content);
  const RECT box = *rect;
  Prepare(*context);
  const int width = box.right - box.left;
  LayoutOptions options;
  if ((format & DT_WORDBREAK) && !(format & DT_SINGLELINE)) {
    options.width = std::max(width, 1) * PANGO_SCALE;
    options.wrap = PANGO_WRAP_WORD_CHAR;
  } else if (format & DT_END_ELLIPSIS) {
    options.width = std::max(width, 1) * PANGO_SCALE;
    options.ellipsize = PANGO_ELLIPSIZE_END;
  }
  options.singleParagraph = (format & DT_SINGLELINE) != 0;
  options.alignment = (format & DT_CENTER) ? PANGO_ALIGN_CENTER
                      : (format & DT_RIGHT) ? PANGO_ALIGN_RIGHT
                                            : PANGO_ALIGN_LEFT;
  PangoLayout* layout = SharedLayout(*context, content, options);
  PangoRectangle logical;
  pango_layout_get_pixel_extents(layout, nullptr, &logical);
  const Metrics metrics = MetricsOf(*context);
  const int lineHeight = metrics.ascent + metrics.descent;
  const int lines = std::max(1, pango_layout_get_line_count(layout));
  const int height = content.empty() ? 0 : lines * lineHeight;
  if (format & DT_CALCRECT) {
    const int measured = (format & DT_WORDBREAK) ? std::min(width, logical.width) : logical.width;
    rect->right = rect->left + ((format & DT_WORDBREAK) ? std::max(measured, 0) : measured);
    rect->bottom = rect->top + height;
    g_object_unref(layout);
    return height;
  }
  double top = box.top;
  if (format & DT_SINGLELINE) {
    if (format & DT_VCENTER) top = box.top + (box.bottom - box.top - height) / 2;
    else if (format & DT_BOTTOM) top = box.bottom - height;
  }
  if (!(format & DT_CALCRECT) && IsRecording(*context))
    Record(*context,
           [=](HDC target) {
             RECT copy = box;
             DrawTextW(target, content.c_str(), int(content.size()), &copy, format | DT_NOPREFIX);
           },
           LineRecords(*context, layout, box, top, lineHeight, format));
  cairo_t* cairo = context->cairo;
  if (!(format & DT_NOCLIP)) {
    cairo_rectangle(cairo, box.left, box.top, width, box.bottom - box.top);
    cairo_clip(cairo);
  }
  if (context->backMode == OPAQUE) FillOpaque(*context, box.left + logical.x, top, logical.width, height);
  // Each line on its own row of the font's cell height, as Windows spaces them.
  PangoLayoutIter* iter = pango_layout_get_iter(layout);
  int row = 0;
  do {
    PangoLayoutLine* line = pango_layout_iter_get_line_readonly(iter);
    PangoRectangle lineExtent;
    pango_layout_iter_get_line_extents(iter, nullptr, &lineExtent);
    cairo_set_operator(cairo, CAIRO_OPERATOR_OVER);
    SetSourceColour(cairo, context->textColour);
    cairo_move_to(cairo, box.left + PANGO_PIXELS(lineExtent.x), top + row * lineHeight + metrics.ascent);
    pango_cairo_show_layout_line(cairo, line);
    ++row;
  } while (pango_layout_iter_next_line(iter));
  pango_layout_iter_free(iter);
  cairo_new_path(cairo);
  g_object_unref(layout);
  return height;
}

namespace win32::gdi {

bool IsInterfaceFace(const std::u16string& face) {
  static const std::u16string faces[] = {u"MS Shell Dlg", u"MS Shell Dlg 2", u"Segoe UI", u"Tahoma",
                                         u"Arial", u"MS Sans Serif", u"Microsoft Sans Serif"};
  for (const auto& name : faces)
    if (face == name) return true;
  return false;
}

}  // namespace win32::gdi
