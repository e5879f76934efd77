#include "analysis/document/document.h"
#include "analysis/measurements/measurements.h"

namespace Rhyth {

namespace {

const AnalysisRegion& RegionOf(const Document* document) {
  return document->GetSettings().analysis.region;
}

}  // namespace

HRESULT RegionTimeMeasurement::FinalValue(VARIANT& value) {
  LONG offset = 0;
  LONG record = 0;
  // An unset region has no time: the host is never asked for the time of record 0x7FFFFFFF.
  if (!Position(offset, record) || record == kRegionNotSet || offset == kRecordEndOffset) {
    return E_FAIL;
  }
  Quor::ComPtr<ITabulonHost> host;
  if (!Host() || FAILED(Host()->QueryInterface(ITabulonHost::iid,
                                               Quor::ComPtrOut<ITabulonHost>::Bind(host)))) {
    return E_FAIL;
  }
  VariantClear(&value);
  const HRESULT hr = host->FillTimeValue(0, SelectionPosition(), SelectionWord(), offset, record,
                                         kTabulonTimeValueFlags, 0, &value);
  return FAILED(hr) || value.vt == VT_EMPTY ? E_FAIL : S_OK;
}

bool AnalysisStart::Position(LONG& offset, LONG& record) const {
  const AnalysisRegion& region = RegionOf(OwningDocument());
  if (!region.IsSet()) return false;
  offset = region.startOffset;
  record = region.startRecord;
  return true;
}

bool AnalysisEnd::Position(LONG& offset, LONG& record) const {
  const AnalysisRegion& region = RegionOf(OwningDocument());
  IPendrelDataSource* source = DataSource();
  if (!region.IsSet() || !source) return false;
  offset = region.endOffset;
  record = region.endRecord;
  // The open end of sampling is where the data ends now.
  if (record == kRegionOpenEndRecord) {
    return source->GetDataEnd(kSourceChannelWord, &offset, &record) == S_OK;
  }
  if (offset == kRecordEndOffset) {
    return SUCCEEDED(source->GetEndOfData(kSourceChannelWord, record, &offset));
  }
  return true;
}

}  // namespace Rhyth
