#include "tracedisplay/drawers/visible_extremes.h"

#include <utility>

#include "platform/pendrel/trace_data.h"

namespace PendrelDraw {

Quor::ComPtr<IPendrelTraceRecordRange> ShownRecordRange(IUnknown* dataView, LONGLONG first,
                                                        LONGLONG end, LONG* record) {
  const auto view = Quor::QueryFace<IPendrelTraceDataView>(dataView);
  const auto ranges = Quor::QueryFace<IPendrelTraceRangeSource>(dataView);
  if (!view || !ranges) return {};
  // The range arrives in `shown` once the statement that asks for it has ended.
  Quor::ComPtr<IPendrelTraceRecordRange> shown;
  if (ranges->GetRecordRange(first, end, Quor::ComPtrOut<IPendrelTraceRecordRange>::Bind(shown)) !=
      S_OK) {
    return {};
  }
  LONG tick = 0;
  if (!shown || view->PixelToPosition(first, record, &tick) != S_OK) return {};
  return shown;
}

HRESULT ScaledExtremes(IPendrelTraceRecordRange* range, DWORD address, LONG record, LONG channel,
                       double* scaled) {
  // An answer left as it was started holds no value.
  PendrelValueExtremes extremes = {1.0, -1.0, 1.0, 0.0};
  const HRESULT hr = range->GetExtremes(address, record, channel, &extremes);
  if (FAILED(hr)) return hr;
  if (!(extremes.minimum < extremes.maximum)) return S_FALSE;
  scaled[0] = (extremes.minimum + extremes.offset) * extremes.scale;
  scaled[1] = (extremes.maximum + extremes.offset) * extremes.scale;
  // A flat trace gives no range to scale to.
  return scaled[0] == scaled[1] ? S_FALSE : S_OK;
}

bool VisibleExtremes(IUnknown* dataView, LONGLONG first, LONGLONG end, DWORD address, LONG channel,
                     double* range) {
  LONG record = 0;
  const auto shown = ShownRecordRange(dataView, first, end, &record);
  if (!shown || ScaledExtremes(shown.Get(), address, record, channel, range) != S_OK) return false;
  if (range[0] > range[1]) std::swap(range[0], range[1]);
  return true;
}

}  // namespace PendrelDraw
