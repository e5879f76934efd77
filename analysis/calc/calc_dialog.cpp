#include "analysis/calc/calc_dialog.h"

#include "analysis/calc/channel_calc_modes.h"
#include "analysis/module_strings.h"
#include "platform/win32/message_box.h"

namespace Rhyth {

namespace {

constexpr UINT kCaptionId = 8;
// A choice word: this bit, the mode in bits 4 to 19, the first flag in bit 1, interpolate in
// bit 0. Far above the dialog results, so that no plain result reads as a choice.
constexpr int kChoiceBit = 0x10000000;
constexpr int kModeShift = 4;
constexpr int kModeMask = 0xFFFF;

Quor::String DescribeChoice(const ChannelCalcSettings& settings) {
  Quor::String text(u"Beat measure: ");
  const Quor::String title = CalcModeTitle(settings.mode);
  text += title.IsEmpty() ? Quor::String(std::to_string(settings.mode)) : title;
  text += settings.interpolate ? u"\r\nInterpolate: on" : u"\r\nInterpolate: off";
  return text;
}

}  // namespace

int CalcDialogChoice(LONG mode, bool first, bool interpolate) {
  return kChoiceBit | ((int(mode) & kModeMask) << kModeShift) | (first ? 2 : 0) |
         (interpolate ? 1 : 0);
}

Dialog::Dialog(HWND parent, const ChannelCalcSettings* current, ChannelCalcSettings& copy)
    : m_parent(parent), m_current(current), m_copy(copy) {}

int Dialog::Execute() {
  const Quor::String text = DescribeChoice(m_current ? *m_current : m_copy);
  const Quor::String caption = ModuleString(kCaptionId);
  const int answer = MessageBoxW(m_parent, text.c_str(), caption.c_str(), MB_OKCANCEL);
  if (answer == IDCANCEL) return IDCANCEL;
  if (answer & kChoiceBit) {
    m_copy.mode = LONG(SHORT((answer >> kModeShift) & kModeMask));
    m_copy.first = (answer & 2) != 0;
    m_copy.interpolate = (answer & 1) != 0;
  }
  return IDOK;
}

}  // namespace Rhyth
