#include "views/marks/fiducial_draw_policy.h"

#include <cmath>
#include <string>

#include "views/report/eng_value.h"

namespace Rhyth {

namespace {

DWORD ClassByte(const FiducialEvent& beat) { return beat.flags & kBeatClassMask; }

// Read as the analysis reads the beat: unclassified or unreadable.
bool IsUnknown(const FiducialEvent& beat) {
  return ClassByte(beat) == kBeatUnclassified || !beat.IsValid();
}

bool IsUserMarked(const FiducialEvent& beat) { return (beat.flags >> 16) == 1; }

// The texts hold no character beyond the 16-bit range (the prefix letters and units).
void AppendWide(std::u16string& out, const std::wstring& text) {
  for (wchar_t c : text) out += char16_t(c);
}

std::wstring RRText(double rr) {
  static const std::wstring kNoData = L"no data";
  if (std::isnan(rr)) return kNoData;
  std::wstring text;
  EngValue(rr, L"s").Format(text, -3, 4, false, L"");
  return text;
}

std::wstring FFText(double ff) {
  std::wstring text;
  EngValue(ff, L"").ToText(text, L"");
  return text;
}

}  // namespace

COLORREF FiducialDrawPolicy::MarkColour(const FiducialEvent& beat) {
  if (IsUnknown(beat)) return kBeatMarkGrey;
  if (IsUserMarked(beat)) return kBeatMarkUserGreen;
  const DWORD kind = ClassByte(beat);
  if (kind & kBeatRROutsideLimits) {
    return (kind & kBeatFFOutsideLimits) ? kBeatMarkBothEctopicRed : kBeatMarkRROrange;
  }
  if (kind & kBeatFFOutsideLimits) return kBeatMarkFFViolet;
  if (kind != 0) return kBeatMarkGrey;
  return beat.IsAdmitted() ? kBeatMarkNormalBlue : kBeatMarkGrey;
}

// The texts are made on first use and live as long as the module.
const Quor::String& FiducialDrawPolicy::ClassText(const FiducialEvent& beat) {
  static const Quor::String kUnknown(u"Unknown");
  static const Quor::String kEctopic(u"Ectopic");
  static const Quor::String kNormal(u"Normal");
  static const Quor::String kUnused(u"Unused");
  if (IsUnknown(beat)) return kUnknown;
  const DWORD kind = ClassByte(beat);
  if (kind & (kBeatRROutsideLimits | kBeatFFOutsideLimits)) return kEctopic;
  if (kind == 0 && beat.IsAdmitted()) return kNormal;
  return kUnused;
}

// "Rhyth Beat %1: RR = %2; FF = %3 (%4)", put together piece by piece: the host asks for a
// tooltip per beat it draws, and a positional format stream costs more than the rest of the
// tooltip together.
Quor::String FiducialDrawPolicy::MarkText(const FiducialEvent& beat) {
  std::u16string text = u"Rhyth Beat ";
  AppendWide(text, std::to_wstring(beat.beatNumber));
  text += u": RR = ";
  AppendWide(text, RRText(beat.rr));
  text += u"; FF = ";
  AppendWide(text, FFText(beat.ff));
  text += u" (";
  text += ClassText(beat).c_str();
  text += u')';
  return Quor::String(text);
}

}  // namespace Rhyth
