#include "tracedisplay/scrolling/compression_menu.h"

#include <array>
#include <locale>
#include <sstream>

#include "tracedisplay/scrolling/view_controls.h"

namespace PendrelDraw {

namespace {

constexpr std::array<double, kCompressionMenuEndId - kFirstCompressionMenuId> kMenuRatios = {
    0.1,  0.2,  0.5,  1,    2,     5,     10,    20,     50,     100,   200,
    500,  1000, 2000, 5000, 10000, 20000, 50000, 100000, 200000, 500000};

std::u16string Widen(const std::string& text) { return std::u16string(text.begin(), text.end()); }

}  // namespace

std::u16string FormatRatio(LONGLONG numerator, LONGLONG denominator) {
  const double ratio = denominator ? double(numerator) / double(denominator) : 0.0;
  if (ratio == 0.0) return u"x?";
  std::ostringstream text;
  text.imbue(std::locale::classic());
  text.precision(3);
  if (ratio > 999.999) {
    text << ratio / 1000 << "k:1";
  } else if (ratio >= 1) {
    text << ratio << ":1";
  } else {
    text << "x" << 1 / ratio;
  }
  return Widen(text.str());
}

QuorRational MenuRatio(int id) {
  if (id < kFirstCompressionMenuId || id >= kCompressionMenuEndId) return QuorRational(0, 1);
  LONG numerator = 0, denominator = 1;
  ApproximateRational(kMenuRatios[id - kFirstCompressionMenuId], numerator, denominator);
  QuorRational ratio(numerator, denominator);
  ratio.Normalise();
  return ratio;
}

std::u16string ZoomControl::FormatRatio(LONGLONG numerator, LONGLONG denominator) const {
  return PendrelDraw::FormatRatio(numerator, denominator);
}

QuorRational ZoomControl::GetMenuRatio(int id) const { return MenuRatio(id); }

}  // namespace PendrelDraw
