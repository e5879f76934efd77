// The calculation dialog's fields in words, for an answer that comes as lines of text rather
// than as clicks: "Parameter=NAME" (or under the dialog's label, "Rhyth Parameter=NAME") picks
// the beat measure by its name in the dialog's list ("Beat Rate"; case and blanks do not
// matter) or by its code (2), and "Set Guide Lines=0|1" sets the check box. The lines apply in
// their order to the dialog's working copy.
#pragma once

#include <string>
#include <vector>

#include "analysis/calc/channel_calc_settings.h"

namespace Rhyth {

// What the lines act on: the dialog's controls, or a settings copy.
class CalcAnswerTarget {
 public:
  virtual void ChooseMode(LONG mode) = 0;
  virtual void SetGuideLines(bool set) = 0;

 protected:
  ~CalcAnswerTarget() = default;
};

// Empty when every line applied; else one line saying which was refused and why (the target
// may then be partly changed and must be dropped).
std::u16string ApplyCalcAnswerLines(CalcAnswerTarget& target,
                                    const std::vector<std::u16string>& lines);
std::u16string ApplyCalcAnswerLines(ChannelCalcSettings& copy,
                                    const std::vector<std::u16string>& lines);

}  // namespace Rhyth
