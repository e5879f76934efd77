// Everything the plot option writers read of an analysis document, gathered in one place: the
// settings, whether the host is busy, the display colours, and the engine's binned series and
// Poincaré statistics. The writers read only this, so the texts follow from values alone.
// Lives for one writer call.
#pragma once

#include <optional>

#include "analysis/settings/settings.h"
#include "platform/pendrel/host_app.h"

namespace Rhyth {

class Document;

// A binned series of the engine: bin j covers [(first + j)·step, (first + j + 1)·step).
struct BinnedSeries {
  double step = 0;
  LONG first = 0;
};

struct PlotOptionSource {
  const Settings* settings = nullptr;
  bool busy = false;
  COLORREF sourceColour = 0;
  // None when the host's display object has no grid settings or no grid colour.
  std::optional<COLORREF> gridColour;
  BinnedSeries rrHistogram;
  BinnedSeries deltaHistogram;
  BinnedSeries spectrum;
  double meanRR = 0;  // s
  double sd1 = 0;
  double sd2 = 0;
};

PlotOptionSource GatherPlotOptionSource(Document& document);

// The colour of a channel and of grid 0 from the data document's display object; `fallback`
// when the host tells no channel colour.
COLORREF HostChannelColour(IUnknown* dataDocument, DWORD channel, DWORD identity,
                           COLORREF fallback = 0);
std::optional<COLORREF> HostGridColour(IUnknown* dataDocument);

}  // namespace Rhyth
