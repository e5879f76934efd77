#include "host/document/plot_range_store.h"

#include <cmath>

#include "host/framework/call_arguments.h"
#include "host/framework/call_log.h"
#include "host/framework/host_text.h"

namespace PendrelHost {

namespace {

constexpr const char* kService = "PlotRangeStore";

bool IsStorable(DWORD axis, PlotRange range) {
  return (axis == kPlotAxisX || axis == kPlotAxisY) && std::isfinite(range.min) &&
         std::isfinite(range.max);
}

}  // namespace

HRESULT PlotRangeStore::GetPlotRange(IQuorString* plotId, DWORD axis, double* min, double* max) {
  Tarn::RecordCall(kService, "GetPlotRange",
                   Tarn::QuotedText(plotId) + ", axis=" + std::to_string(axis));
  if (!min || !max) return E_POINTER;
  *min = *max = 0;
  const auto found = m_ranges.find({Tarn::TextOf(plotId), axis});
  if (found == m_ranges.end()) return S_FALSE;
  *min = found->second.min;
  *max = found->second.max;
  return S_OK;
}

HRESULT PlotRangeStore::SetPlotRange(IQuorString* plotId, DWORD axis, double min, double max) {
  Tarn::RecordCall(kService, "SetPlotRange",
                   Tarn::QuotedText(plotId) + ", axis=" + std::to_string(axis));
  return Restore({Tarn::TextOf(plotId), axis}, {min, max}) ? S_OK : E_INVALIDARG;
}

bool PlotRangeStore::Restore(const PlotRangeKey& key, PlotRange range) {
  if (!IsStorable(key.second, range)) return false;
  m_ranges[key] = range;
  return true;
}

}  // namespace PendrelHost
