// The data document's store of plot scale ranges: per plot id and axis the range a module's
// plot last stored. The document file saves and restores it. Part of the data document.
#pragma once

#include <map>
#include <string>
#include <utility>

#include "platform/pendrel/plot_range_store.h"

namespace PendrelHost {

struct PlotRange {
  double min = 0;
  double max = 0;
  bool operator==(const PlotRange&) const = default;
};

// (plot id, axis) to range.
using PlotRangeKey = std::pair<std::u16string, DWORD>;
using PlotRanges = std::map<PlotRangeKey, PlotRange>;

class PlotRangeStore : public IPendrelPlotRangeStore {
 public:
  HRESULT GetPlotRange(IQuorString* plotId, DWORD axis, double* min, double* max) override;
  HRESULT SetPlotRange(IQuorString* plotId, DWORD axis, double min, double max) override;

  const PlotRanges& Ranges() const { return m_ranges; }
  // False (and nothing kept) for a range the module could not have stored.
  bool Restore(const PlotRangeKey& key, PlotRange range);

 private:
  PlotRanges m_ranges;
};

}  // namespace PendrelHost
