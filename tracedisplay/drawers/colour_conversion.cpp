#include "tracedisplay/drawers/colour_conversion.h"

#include <algorithm>
#include <cmath>

namespace PendrelDraw {

namespace {

// A value outside 0 to 1 becomes 1 when it is at least 0, else 0.
double ClampUnit(double v) {
  if (v >= 0.0 && v <= 1.0) return v;
  return v >= 0.0 ? 1.0 : 0.0;
}

}  // namespace

HsvColour HsvColour::FromColour(COLORREF colour) {
  HsvColour hsv;
  hsv.red = double(colour & 0xFF) * (1.0 / 256.0);
  hsv.green = double(colour & 0xFF00) * (1.0 / 65536.0);
  hsv.blue = double(colour & 0xFF0000) * (1.0 / 16777216.0);
  hsv.topByte = BYTE(colour >> 24);
  hsv.value = std::max({hsv.red, hsv.green, hsv.blue});
  const double delta = hsv.value - std::min({hsv.red, hsv.green, hsv.blue});
  if (hsv.value == 0.0) {
    hsv.saturation = 0.0;
    hsv.hue = -1.0;
    return hsv;
  }
  hsv.saturation = delta / hsv.value;
  if (delta == 0.0) {
    hsv.hue = 0.0;
    return hsv;
  }
  double hue;
  if (hsv.red == hsv.value) {
    hue = (hsv.green - hsv.blue) / delta;
  } else if (hsv.green == hsv.value) {
    hue = (hsv.blue - hsv.red) / delta + 2.0;
  } else {
    hue = (hsv.red - hsv.green) / delta + 4.0;
  }
  hue *= 60.0;
  hsv.hue = hue < 0.0 ? hue + 360.0 : hue;
  return hsv;
}

void HsvColour::ToRgb() {
  if (saturation == 0.0) {
    red = green = blue = value;
    return;
  }
  const double h = hue / 60.0;
  const double i = std::floor(h);
  const double f = h - i;
  const double p = (1.0 - saturation) * value;
  const double q = (1.0 - saturation * f) * value;
  const double t = (1.0 - (1.0 - f) * saturation) * value;
  switch (int(i)) {
    case 0: red = value, green = t, blue = p; break;
    case 1: red = q, green = value, blue = p; break;
    case 2: red = p, green = value, blue = t; break;
    case 3: red = p, green = q, blue = value; break;
    case 4: red = t, green = p, blue = value; break;
    default: red = value, green = p, blue = q; break;
  }
}

COLORREF HsvColour::ToColour() const {
  return RGB(BYTE(red * 255.0), BYTE(green * 255.0), BYTE(blue * 255.0));
}

COLORREF AdjustBrightness(COLORREF colour, double amount) {
  HsvColour hsv = HsvColour::FromColour(colour);
  if (amount < -1.0 || amount > 1.0) amount = 1.0;
  const double saturation = ClampUnit(hsv.saturation - amount);
  const double rest = (hsv.saturation - saturation) + amount;
  hsv.saturation = saturation;
  if (std::fabs(rest) > 0.01) {
    hsv.value = ClampUnit(rest > 0.0 ? hsv.value + rest * (1.0 - hsv.value)
                                     : hsv.value + rest * hsv.value);
  }
  hsv.ToRgb();
  return hsv.ToColour();
}

COLORREF PullTowardsLevel(COLORREF colour, double factor, double level) {
  const int r = GetRValue(colour), g = GetGValue(colour), b = GetBValue(colour);
  const int shift = int((3.0 * level - r - g - b) * factor / 3.0);
  const int top = int(level);
  const auto pull = [&](int component) { return BYTE(std::max(0, std::min(component + shift, top))); };
  return RGB(pull(r), pull(g), pull(b));
}

}  // namespace PendrelDraw
