#include "controls/fonts/font_services.h"

#include <map>
#include <mutex>
#include <utility>

namespace {

HFONT MakeFont(LONG height, LONG weight) {
  LOGFONTW font{};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
  if (height) font.lfHeight = height;
  font.lfWeight = weight;
  return CreateFontIndirectW(&font);
}

}  // namespace

HFONT GadgetWindowFont() {
  static const HFONT font = MakeFont(0, FW_NORMAL);
  return font;
}

HFONT BoldGadgetWindowFont() {
  static const HFONT font = MakeFont(0, FW_BOLD);
  return font;
}

FontCharSize GetFontCharSize(HFONT font) {
  HDC dc = GetDC(nullptr);
  if (!dc) return {0, 0};
  const HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return {metrics.tmAveCharWidth, metrics.tmHeight + metrics.tmExternalLeading};
}

DPIFontMap& DPIFontMap::Instance() {
  static DPIFontMap map;
  return map;
}

HFONT DPIFontMap::Get(int points, int dotsPerInch) {
  static std::mutex mutex;
  static std::map<std::pair<int, int>, HFONT> fonts;
  std::lock_guard lock(mutex);
  HFONT& font = fonts[{points, dotsPerInch}];
  if (!font)
    font = CreateFontW(-MulDiv(points, dotsPerInch, 72), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, 0, 0, VARIABLE_PITCH | FF_SWISS, u"MS Shell Dlg 2");
  return font;
}
