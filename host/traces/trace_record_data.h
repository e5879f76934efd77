// The stand-in host's record data of trace displays over one data document: point sources,
// units, channel objects, value extremes, grids and flagged channels for the drawers, and the
// document's records and events (IPendrelDataSource, passed on to the document). One per trace
// data source, shared by its data views. Per-channel state that a real host keeps in its
// document (unit flags, value mappings, records without a grid, flagged channels) is set here by
// tests and the command line. Every drawer call is logged with its address word.
#pragma once

#include <map>
#include <set>
#include <utility>

#include "core/quor_string.h"
#include "host/framework/held_reference.h"
#include "platform/pendrel/arithmetic_channels.h"
#include "platform/pendrel/trace_record_data.h"
#include "platform/win32/com_object.h"

namespace PendrelHost {

class TraceRecordData final
    : public SimpleUnknownImp2<IPendrelTraceRecordData, IPendrelDataSource, 0> {
 public:
  // `records` answers the record queries and reads the samples; `channels` (may be null) the
  // unit texts.
  TraceRecordData(IPendrelDataSource* records, IPendrelChannelData* channels);

  HRESULT CreatePointSource(DWORD address, LONG channel, const PendrelPixelMapping* mapping,
                            LONGLONG start, LONG record, LONG endRecord, LONG endOffset,
                            double gain, double offset, DWORD traceMode,
                            IPendrelPointSource** source) override;
  HRESULT GetUnitText(DWORD address, LONG record, LONG channel, IQuorString** text) override;
  HRESULT GetUnitFlag(DWORD address, LONG channel, VARIANT_BOOL* flag) override;
  HRESULT GetChannelObject(DWORD address, LONG record, LONG channel, IUnknown** object) override;
  HRESULT GetValueExtremes(DWORD address, LONG channel, LONG record, LONG start, LONG end,
                           double* low, double* high) override;
  HRESULT ShowsGrid(DWORD address, LONG channel, LONG record) override;
  HRESULT GetFlaggedChannels(LONG record, IQuorBitset** channels) override;
  HRESULT NotifyDataChanged(DWORD address, LONG channel, const LONG* four, LONG last) override;

  // IPendrelDataSource: the document's answers.
  HRESULT GetRecordCount(LONG* count) override;
  HRESULT GetRecordInfo(LONG record, PendrelRecordInfo* info) override;
  HRESULT GetCurrentRecord(LONG* record) override;
  HRESULT GetEndOfData(DWORD channelWord, LONG record, LONG* end) override;
  HRESULT OpenEventEnumerator(PendrelChannelRef channel, LONG record, LONG start, LONG end,
                              DWORD kind, IUnknown** enumerator) override;
  HRESULT OpenFloatEnumerator(PendrelChannelRef channel, LONG record, LONG start,
                              IEnumFloatEx** enumerator) override;
  HRESULT GetDataEnd(DWORD channelWord, LONG* endOffset, LONG* endRecord) override;
  HRESULT IsValidRange(LONG startOffset, LONG startRecord, LONG endOffset,
                       LONG endRecord) override;

  void SetUnitFlag(LONG channel, bool flagged);
  // The (scale, offset) of a channel's units; (1.0, 0.0) unless set.
  void SetValueMapping(LONG channel, double scale, double offset);
  void SetGridShown(LONG channel, LONG record, bool shown);
  void SetChannelFlagged(LONG record, LONG channel, bool flagged);

 private:
  Quor::String UnitTextOf(LONG channel) const;

  Tarn::HeldReference<IPendrelDataSource> m_records;
  Tarn::HeldReference<IPendrelChannelData> m_channels;
  std::set<LONG> m_flaggedUnits;
  std::map<LONG, std::pair<double, double>> m_mappings;
  std::set<std::pair<LONG, LONG>> m_hiddenGrids;       // (channel, record)
  std::set<std::pair<LONG, LONG>> m_flaggedChannels;  // (record, channel)
};

}  // namespace PendrelHost
