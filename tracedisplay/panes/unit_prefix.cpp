#include "tracedisplay/panes/unit_prefix.h"

#include <cmath>

namespace PendrelDraw {

namespace {

constexpr WCHAR kLetters[15] = {u'?', 0, u'a', u'f', u'p', u'n', u'\u00B5', u'm',
                                0,    u'k', u'M', u'G', u'T', u'P', u'E'};

}  // namespace

PendrelAxisUnit AxisUnitOfPrefix(LONG index) {
  if (index < 0 || index > 14) index = 0;
  const double factor = index >= 2 ? std::pow(10.0, 3 * (8 - index)) : 1.0;
  return {kLetters[index], factor, index};
}

bool PrefixScales(LONG index) { return index != 0 && index != 1 && index != 8; }

}  // namespace PendrelDraw
