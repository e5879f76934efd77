// Writes a plot's stored state (the scale ranges a user set, the places and texts of its
// movable regions) into the plot's markup text as declarations, so that the page opens the plot
// as the user left it. Stateless; the persist task owns the state.
#pragma once

#include <map>
#include <string>
#include <utility>

namespace Quor {

struct PlotRange {
  double min = 0;
  double max = 0;
};

struct PlotSettingsState {
  PlotRange x;
  PlotRange y;
  std::map<std::u16string, std::pair<double, double>> regionPositions;  // x, y percent
  std::map<std::u16string, std::u16string> regionTexts;
};

// Appends the ranges (or their auto-scale defaults) and puts the stored positions and texts
// into the legend and the text region. An empty text stays empty.
void WritePlotSettings(std::u16string& options, const PlotSettingsState& state);

// Adds the stored position (and text) of the region declared as property `key` to that
// region's object. A region without an id, with an unknown id or without its closing brace is
// left unchanged.
void InsertRegionPosition(std::u16string& options, std::u16string_view key,
                          const PlotSettingsState& state);

// A markup string literal holding `text`: single-quoted unless the text holds a single quote
// and no double quote. The markup keeps no backslash, nor a quote of the kind that encloses
// the string; such characters are written as escape pairs, which the markup drops.
std::u16string MarkupStringLiteral(std::u16string_view text);

}  // namespace Quor
