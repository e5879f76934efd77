// What the user's edits in a plot write into the analysis settings: the band edges a line drag
// in the spectrum hands over, and the classifier limits a box resize hands over. Both keep the
// settings usable by the analysis: a value that is not a number leaves everything as it was,
// each edge stays inside what the analysis can use, and each pair is stored smaller first.
#pragma once

#include "analysis/settings/settings.h"

namespace Rhyth {

// The six edges VLF low, VLF high, LF low, LF high, HF low, HF high (Hz), each clamped to
// [0, maximum frequency]; false, with nothing stored, when one is not a number.
bool StoreBandEdges(SpectrumParams& bands, const double* edges);

// Classifier limits beyond these cannot be meant: RR in seconds, the form factor unitless.
inline constexpr double kMaximumClassifierRR = 60.0;
inline constexpr double kMaximumClassifierFF = 10.0;

// The box x min, x max (RR, s) and y min, y max (form factor), each pair clamped to
// [0, its maximum]; false, with nothing stored, when one is not a number.
bool StoreClassifierBox(ClassifierLimits& limits, const double* box);

}  // namespace Rhyth

namespace Rhyth {

class Document;

// After an edit stored in the settings: the document takes note, and unless the host is busy
// re-runs the analysis with the change flags under notice code 6, so every open view follows.
// While the host is busy the edit takes effect at the next analysis.
void ReanalyseAfterEdit(Document& document, DWORD changeFlags);

}  // namespace Rhyth
