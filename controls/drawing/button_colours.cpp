#include "controls/drawing/button_colours.h"

#include <array>

#include "platform/win32/monitors.h"

namespace {

std::array<ButtonColour, kButtonColourCount>& Table() {
  static std::array<ButtonColour, kButtonColourCount> table{};
  return table;
}

}  // namespace

void LoadButtonColours() {
  const COLORREF values[kButtonColourCount] = {
      GetSysColor(COLOR_BTNTEXT), GetSysColor(COLOR_BTNSHADOW),    GetSysColor(COLOR_BTNFACE),
      GetSysColor(COLOR_BTNHIGHLIGHT), RGB(255, 255, 255), GetSysColor(COLOR_WINDOW)};
  for (int i = 0; i < kButtonColourCount; ++i) Table()[i] = {values[i], OWL::TColor(values[i])};
}

const ButtonColour& GetButtonColour(ButtonColourIndex index) { return Table()[index]; }
