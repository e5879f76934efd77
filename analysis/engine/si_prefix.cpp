// The SI prefixes of the engine's units: milliseconds, milliseconds squared.
#include "analysis/engine/analysis_engine.h"

namespace Rhyth {

WCHAR AnalysisEngine::SIPrefixChar(int exponent) {
  switch (exponent) {
    case -24: return u'y';
    case -21: return u'z';
    case -18: return u'a';
    case -15: return u'f';
    case -12: return u'p';
    case -9: return u'n';
    case -6: return u'\u00B5';
    case -3: return u'm';
    case 3: return u'k';
    case 6: return u'M';
    case 9: return u'G';
    case 12: return u'T';
    case 15: return u'P';
    case 18: return u'E';
    case 21: return u'Z';
    case 24: return u'Y';
    default: return 0;
  }
}

Quor::String AnalysisEngine::FormatWithSIPrefix(int exponent, const Quor::String& unit) {
  if (unit.IsEmpty()) return Quor::String();
  Quor::String text;
  if (const WCHAR prefix = SIPrefixChar(exponent)) text += prefix;
  text += unit;
  return text;
}

}  // namespace Rhyth
