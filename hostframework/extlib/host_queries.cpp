#include "hostframework/extlib/host_queries.h"

#include <algorithm>
#include <limits>

#include "hostframework/extlib/host_calls.h"
#include "platform/pendrel/channel_description.h"
#include "platform/pendrel/device_sampling.h"
#include "platform/pendrel/framework_ids.h"
#include "platform/pendrel/preview_document.h"

namespace ExtLib {

namespace {

WORD ArithmeticComponentId() {
  static const WORD id = GetTarnGuidId(GUID_TarnArithmetic);
  return id;
}

// Ticks from `start` to `end`, counted across records by the document; 0 when it cannot count.
LONGLONG TicksBetween(IUnknown* hostDocument, PendrelPosition start, PendrelPosition end) {
  if (start.record == end.record) return LONGLONG(end.offset) - start.offset;
  auto index = Query<IPendrelSampleIndex>(hostDocument);
  LONGLONG first = 0, last = 0;
  if (!index || FAILED(index->TickToSampleIndex(start.record, start.offset, &first)) ||
      FAILED(index->TickToSampleIndex(end.record, end.offset, &last))) {
    return 0;
  }
  return last - first;
}

bool SelectedStretch(IUnknown* hostDocument, PendrelPosition* start, PendrelPosition* end) {
  auto objects = Query<IPendrelTypedObjects>(hostDocument);
  if (!objects) return false;
  Quor::ComPtr<IPendrelSelection> selection;
  objects->GetObjectOfType(GetHostSelectionTypeId(), IPendrelSelection::iid,
                           Quor::ComPtrOut<IPendrelSelection>::Bind(selection));
  return selection && selection->GetRange(start, end) == S_OK;
}

bool ShownStretch(IPendrelShownRange* view, PendrelPosition* start, PendrelPosition* end) {
  return view && view->GetShownRange(start, end) == S_OK;
}

// The compression the view shows at; 1.0 without a view or an answer, or below -0.5.
double ViewCompression(IPendrelShownRange* view) {
  double factor = 1.0;
  if (!view || view->GetCompression(&factor) != S_OK || factor < -0.5) return 1.0;
  return factor;
}

}  // namespace

DWORD GetArithmeticCalcTypeId() {
  static const DWORD type = DWORD(ArithmeticComponentId()) << 16;
  return type;
}

DWORD GetArithmeticSettingsTypeId() {
  static const DWORD type = (DWORD(ArithmeticComponentId()) << 16) | 1;
  return type;
}

DWORD GetHostSelectionTypeId() {
  static const DWORD type = (DWORD(GetTarnGuidId(GUID_TarnCore)) << 16) | 2;
  return type;
}

LONG GetMinHostMetric(IUnknown* hostObject) {
  constexpr LONG kAbsent = 16;
  LONG label = kAbsent, button = kAbsent, lane = kAbsent;
  if (auto metrics = Query<IPendrelDisplayMetrics>(hostObject)) {
    metrics->GetLabelHeight(&label);
    metrics->GetButtonSize(&button);
    metrics->GetLaneHeight(0, &lane);
  }
  return std::min({label, button, lane});
}

void ComputePreviewCompression(IUnknown* hostDocument, IUnknown* source, PendrelPosition* start,
                               PendrelPosition* end, double* compression) {
  PendrelPosition first = {0, 0}, last = {0, 0};
  auto view = Query<IPendrelShownRange>(source);
  if (!SelectedStretch(hostDocument, &first, &last) && !ShownStretch(view.Get(), &first, &last)) {
    first = last = {0, 0};
  }
  if (start) *start = first;
  if (end) *end = last;
  const LONGLONG span = TicksBetween(hostDocument, first, last);
  if (compression) {
    *compression = span > 0 ? PreviewCompressionFactor(span) : ViewCompression(view.Get());
  }
}

bool GetChannelDataText(IUnknown* hostDocument, LONG record, DWORD channel,
                        ChannelDataText* text) {
  auto descriptions = Query<IPendrelChannelDescriptions>(hostDocument);
  if (!descriptions || !text) return false;
  constexpr DWORD kDataFlags = 0x40002000;
  Quor::ComPtr<IPendrelChannelDescription> description;
  auto ask = [&](LONG r) {
    return descriptions->GetChannelDescription(
        channel, kDataFlags, r, Quor::ComPtrOut<IPendrelChannelDescription>::Bind(description));
  };
  if ((FAILED(ask(record)) || !description) && (FAILED(ask(-2)) || !description)) return false;
  IQuorString* name = nullptr;
  IQuorString* unit = nullptr;
  description->GetName(&name);
  description->GetUnit(&unit);
  text->name = AdoptText(name);
  text->unit = AdoptText(unit);
  LONG prefix = 8;
  description->GetUnitPrefix(&prefix);
  text->prefix = prefix;
  return true;
}

bool GetChannelCalc(IUnknown* hostDocument, PendrelChannelRef channel, DWORD expectedType,
                    Quor::ComPtr<IUnknown>& calculation) {
  auto channels = Query<IPendrelChannelData>(hostDocument);
  if (!channels) return false;
  Quor::ComPtr<IUnknown> object;
  channels->GetCalculation(channel.index, channel.kind, Quor::ComPtrOut<IUnknown>::Bind(object));
  auto calc = Query<IPendrelCalculation>(object.Get());
  DWORD type = 0;
  if (!calc || FAILED(calc->GetTypeId(&type)) || type != expectedType) return false;
  calculation = object;
  return true;
}

bool GetChannelValueRange(IUnknown* hostDocument, LONG record, DWORD channel, double* minimum,
                          double* maximum) {
  auto channels = Query<IPendrelChannelData>(hostDocument);
  if (!channels || !minimum || !maximum) return false;
  constexpr DWORD kDataFlags = 0x40001000;
  double low = std::numeric_limits<double>::max();
  double high = std::numeric_limits<double>::lowest();
  if (FAILED(channels->GetValueRange(channel, kDataFlags, record, &low, &high))) {
    channels->GetValueRange(channel, kDataFlags, -2, &low, &high);
  }
  double offset = 0.0, scale = 1.0;
  channels->GetOffsetAndScale(channel, &offset, &scale);
  *minimum = (low + offset) * scale;
  *maximum = (high + offset) * scale;
  return true;
}

bool UpdateArithmeticFormula(IPendrelChannelData* channels, PendrelChannelRef channel,
                             const Quor::String& formula, const Quor::String& unit) {
  if (!channels) return false;
  Quor::ComPtr<IUnknown> object;
  channels->GetCalculation(channel.index, channel.kind, Quor::ComPtrOut<IUnknown>::Bind(object));
  auto calc = Query<IPendrelCalculation>(object.Get());
  DWORD type = 0;
  if (!calc || FAILED(calc->GetTypeId(&type)) || type != GetArithmeticCalcTypeId()) {
    if (calc) calc->Reset();
    calc = CreateHostObject<IPendrelCalculation>(GetArithmeticCalcTypeId());
    if (!calc) return false;
    channels->SetCalculation(channel.index, channel.kind, calc.Get());
  }
  auto settings = CreateHostObject<IPendrelArithmeticSettings>(GetArithmeticSettingsTypeId());
  if (!settings) return false;
  if (FAILED(settings->SetTexts(TextArgument(formula), TextArgument(unit), 0))) return false;
  return SUCCEEDED(calc->TakeSettings(settings.Get(), -1));
}

bool SetArithmeticFormula(IUnknown* hostDocument, PendrelChannelRef channel,
                          const Quor::String& formula, const Quor::String& unit) {
  auto channels = Query<IPendrelChannelData>(hostDocument);
  return UpdateArithmeticFormula(channels.Get(), channel, formula, unit);
}

double PreviewCompressionFactor(LONGLONG span) {
  static constexpr double kFactors[] = {1, 2, 5, 10, 20, 50, 100, 200, 500, 1000};
  const double perPixel = double(span) / 400.0;
  for (double factor : kFactors) {
    if (factor >= perPixel) return factor;
  }
  return 2000;
}

}  // namespace ExtLib
