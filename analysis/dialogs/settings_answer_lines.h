// The settings dialog's fields in words, for an answer that comes as lines of
// text rather than as clicks: "preset=NAME" picks a species preset by its name,
// "channel=N" or "channel=TITLE" picks the source among the offered channels,
// "selectionOnly=0|1" the region mode, and "NAME=VALUE" sets the field of that
// label (case and blanks do not matter, e.g. "Low pass filter=40"); a pair of
// edits under one label takes "LABEL=LOW-HIGH" (e.g. "LF=0.04-0.15"). The
// lines apply in their order.
#pragma once

#include <string>
#include <vector>

namespace Rhyth {

class SettingsDialog;

// Applies the lines to the dialog's copy; empty when all applied, else one line
// saying which line was refused and why (the copy may then be partly changed
// and must be dropped).
std::u16string
ApplySettingsAnswerLines(SettingsDialog &dialog,
                         const std::vector<std::u16string> &lines);

} // namespace Rhyth
