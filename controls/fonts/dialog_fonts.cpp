#include "controls/fonts/dialog_fonts.h"

#include <algorithm>

#include "platform/owl/application.h"

namespace {

constexpr char16_t kShellDialogFace[] = u"MS Shell Dlg 2";
constexpr BYTE kSwissVariable = VARIABLE_PITCH | FF_SWISS;  // 0x22

bool IsRasterDisplay(HDC dc) { return GetDeviceCaps(dc, TECHNOLOGY) == DT_RASDISPLAY; }

LOGFONTW BaseFont(LONG height, BYTE pitchAndFamily, BYTE precision) {
  LOGFONTW font{};
  font.lfHeight = height;
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfOutPrecision = precision;
  font.lfPitchAndFamily = pitchAndFamily;
  return font;
}

void SetFace(LOGFONTW& font, std::u16string_view face) {
  const std::size_t n = std::min<std::size_t>(face.size(), LF_FACESIZE - 1);
  std::copy_n(face.data(), n, font.lfFaceName);
  font.lfFaceName[n] = 0;
}

// Chinese and Japanese dialogs read better one size up.
int DefaultPoints() {
  const OWL::TApplication* application = OWL::GetApplicationObject();
  const LANGID primary = application ? LANGID(application->GetLangId() & 0x3FF) : 0;
  return primary == 0x04 || primary == 0x11 ? 12 : 10;
}

// The screen's context when none is given, released when the object goes.
class ContextOrScreen {
 public:
  explicit ContextOrScreen(HDC dc) : m_screen(dc ? nullptr : GetDC(nullptr)), m_dc(dc ? dc : m_screen) {}
  ~ContextOrScreen() {
    if (m_screen) ReleaseDC(nullptr, m_screen);
  }
  operator HDC() const { return m_dc; }

 private:
  HDC m_screen;
  HDC m_dc;
};

}  // namespace

int ScaleFontHeight(HDC dc, int points) {
  SIZE window{1, 1}, viewport{1, 1};
  GetWindowExtEx(dc, &window);
  GetViewportExtEx(dc, &viewport);
  return MulDiv(MulDiv(points, GetDeviceCaps(dc, LOGPIXELSY), 72), window.cx, viewport.cx);
}

std::unique_ptr<OWL::TFont> CreateShellDlgFont(HDC dc, int points, int angle) {
  const BYTE precision = angle == 0 && IsRasterDisplay(dc) ? OUT_DEFAULT_PRECIS : OUT_TT_ONLY_PRECIS;
  LOGFONTW font = BaseFont(ScaleFontHeight(dc, points ? points : DefaultPoints()), kSwissVariable, precision);
  font.lfEscapement = font.lfOrientation = angle;
  SetFace(font, kShellDialogFace);
  return std::make_unique<OWL::TFont>(font);
}

std::unique_ptr<OWL::TFont> CreateShellDlgFontOfHeight(HDC dc, int height) {
  const ContextOrScreen context(dc);
  LOGFONTW font = BaseFont(height, kSwissVariable, IsRasterDisplay(context) ? OUT_DEFAULT_PRECIS : OUT_TT_ONLY_PRECIS);
  SetFace(font, kShellDialogFace);
  return std::make_unique<OWL::TFont>(font);
}

std::unique_ptr<OWL::TFont> CreateAxisLabelFont(HDC dc) {
  int height;
  {
    const ContextOrScreen context(dc);
    height = ScaleFontHeight(context, 8);
  }
  return CreateShellDlgFontOfHeight(dc, height);
}

GuiFontForDC CreateGuiFontForDC(HDC dc, int points) {
  LOGFONTW gui{};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof gui, &gui);
  LOGFONTW font = BaseFont(ScaleFontHeight(dc, points), VARIABLE_PITCH | 0x10,
                           IsRasterDisplay(dc) ? OUT_DEFAULT_PRECIS : OUT_TT_ONLY_PRECIS);
  SetFace(font, gui.lfFaceName);
  GuiFontForDC result{std::make_unique<OWL::TFont>(font), {}};
  GetTextMetricsW(dc, &result.metrics);
  return result;
}
