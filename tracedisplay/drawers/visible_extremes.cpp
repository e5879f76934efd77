#include "tracedisplay/drawers/visible_extremes.h"

#include <utility>

#include "core/com_ptr.h"
#include "platform/pendrel/trace_data.h"
#include "platform/pendrel/trace_ranges.h"

namespace PendrelDraw {

bool VisibleExtremes(IUnknown* dataView, LONGLONG first, LONGLONG end, DWORD address, LONG channel,
                     double* range) {
  const auto view = Quor::QueryFace<IPendrelTraceDataView>(dataView);
  const auto ranges = Quor::QueryFace<IPendrelTraceRangeSource>(dataView);
  if (!view || !ranges) return false;
  // The range arrives in `shown` once the statement that asks for it has ended.
  Quor::ComPtr<IPendrelTraceRecordRange> shown;
  if (ranges->GetRecordRange(first, end, Quor::ComPtrOut<IPendrelTraceRecordRange>::Bind(shown)) !=
      S_OK) {
    return false;
  }
  LONG record = 0, tick = 0;
  if (!shown || view->PixelToPosition(first, &record, &tick) != S_OK) return false;
  // An answer left as it was started holds no value.
  PendrelValueExtremes extremes = {1.0, -1.0, 1.0, 0.0};
  if (FAILED(shown->GetExtremes(address, record, channel, &extremes)) ||
      !(extremes.minimum < extremes.maximum)) {
    return false;
  }
  range[0] = (extremes.minimum + extremes.offset) * extremes.scale;
  range[1] = (extremes.maximum + extremes.offset) * extremes.scale;
  if (range[0] > range[1]) std::swap(range[0], range[1]);
  return range[0] < range[1];
}

}  // namespace PendrelDraw
