#include "host/traces/trace_record_data.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "core/bitset.h"
#include "host/framework/call_arguments.h"
#include "host/framework/call_log.h"
#include "host/framework/guarded_call.h"
#include "host/traces/point_source.h"
#include "host/traces/trace_channel.h"

namespace PendrelHost {

namespace {

constexpr std::string_view kService = "TraceRecordData";
constexpr std::size_t kExtremesBlock = 16384;

std::string ChannelArguments(DWORD address, LONG channel) {
  return "address=" + Tarn::HexWord(address) + ", channel=" + std::to_string(channel);
}

PendrelChannelRef ChannelRef(DWORD address, LONG channel) {
  return {DWORD(channel), address & 0xFF};
}

}  // namespace

TraceRecordData::TraceRecordData(IPendrelDataSource* records, IPendrelChannelData* channels)
    : m_records(Tarn::Hold(records)), m_channels(Tarn::Hold(channels)) {}

HRESULT TraceRecordData::CreatePointSource(DWORD address, LONG channel,
                                           const PendrelPixelMapping* mapping, LONGLONG start,
                                           LONG record, LONG endRecord, LONG endOffset,
                                           double gain, double offset, DWORD traceMode,
                                           IPendrelPointSource** source) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall(kService, "CreatePointSource",
                     ChannelArguments(address, channel) + ", record=" + std::to_string(record) +
                         ", start=" + std::to_string(start) +
                         ", end=" + std::to_string(endRecord) + ":" + Tarn::HexWord(DWORD(endOffset)) +
                         ", mode=" + std::to_string(traceMode));
    if (!source || !mapping) return E_POINTER;
    *source = nullptr;
    if (mapping->ticks <= 0 || mapping->pixels <= 0 || start < 0) return E_INVALIDARG;
    IEnumFloatEx* samples = nullptr;
    const HRESULT opened = m_records->OpenFloatEnumerator(ChannelRef(address, channel), record, 0, &samples);
    if (FAILED(opened)) return opened;
    // An end in a later record (or the open end) is the end of this record's data.
    const bool endsHere = endRecord == record && endOffset != kRecordEndOffset;
    const PointSourceSetup setup{ChannelRef(address, channel), record, *mapping, start,
                                 endsHere ? endOffset : kRecordEndOffset, gain, offset};
    *source = new PointSource(m_records.get(), samples, setup);
    samples->Release();
    (*source)->AddRef();
    return S_OK;
  });
}

Quor::String TraceRecordData::UnitTextOf(LONG channel) const {
  Quor::String text;
  IQuorString* unit = nullptr;
  if (m_channels && channel >= 0 && SUCCEEDED(m_channels->GetChannelUnit(DWORD(channel), &unit)) && unit) {
    text.Attach(unit);
  }
  return text;
}

HRESULT TraceRecordData::GetUnitText(DWORD address, LONG record, LONG channel, IQuorString** text) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall(kService, "GetUnitText",
                     ChannelArguments(address, channel) + ", record=" + std::to_string(record));
    if (!text) return E_POINTER;
    *text = nullptr;
    if (channel < 0) return E_INVALIDARG;
    *text = UnitTextOf(channel).GetInterface();
    return S_OK;
  });
}

HRESULT TraceRecordData::GetUnitFlag(DWORD address, LONG channel, VARIANT_BOOL* flag) {
  Tarn::RecordCall(kService, "GetUnitFlag", ChannelArguments(address, channel));
  if (!flag) return E_POINTER;
  *flag = m_flaggedUnits.count(channel) ? VARIANT_BOOL(0xFFFF) : VARIANT_BOOL(0);
  return S_OK;
}

HRESULT TraceRecordData::GetChannelObject(DWORD address, LONG record, LONG channel,
                                          IUnknown** object) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall(kService, "GetChannelObject",
                     ChannelArguments(address, channel) + ", record=" + std::to_string(record));
    if (!object) return E_POINTER;
    *object = nullptr;
    if (channel < 0) return E_INVALIDARG;
    const auto found = m_mappings.find(channel);
    const double mapping[2] = {found == m_mappings.end() ? 1.0 : found->second.first,
                               found == m_mappings.end() ? 0.0 : found->second.second};
    *object = new TraceChannel(mapping, UnitTextOf(channel));
    (*object)->AddRef();
    return S_OK;
  });
}

HRESULT TraceRecordData::GetValueExtremes(DWORD address, LONG channel, LONG record, LONG start,
                                          LONG end, double* low, double* high) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall(kService, "GetValueExtremes",
                     ChannelArguments(address, channel) + ", record=" + std::to_string(record) +
                         ", range=" + std::to_string(start) + ".." + std::to_string(end));
    if (!low || !high) return E_POINTER;
    *low = std::numeric_limits<double>::infinity();
    *high = -std::numeric_limits<double>::infinity();
    LONG dataEnd = 0;
    HRESULT result = m_records->GetEndOfData(0x80000000, record, &dataEnd);
    if (FAILED(result)) return result;
    if (end == kRecordEndOffset || end > dataEnd) end = dataEnd;
    start = std::max(start, LONG(0));
    if (start >= end) return S_FALSE;
    IEnumFloatEx* samples = nullptr;
    result = m_records->OpenFloatEnumerator(ChannelRef(address, channel), record, start, &samples);
    if (FAILED(result)) return result;
    Tarn::HeldReference<IEnumFloatEx> held(samples);
    std::vector<float> block(kExtremesBlock);
    for (LONG left = end - start; left > 0;) {
      int fetched = 0;
      samples->Next(int(std::min<std::size_t>(std::size_t(left), block.size())), block.data(), &fetched);
      if (fetched <= 0) break;
      for (int i = 0; i < fetched; ++i) {
        if (!std::isfinite(block[std::size_t(i)])) continue;
        *low = std::min(*low, double(block[std::size_t(i)]));
        *high = std::max(*high, double(block[std::size_t(i)]));
      }
      left -= fetched;
    }
    return *low <= *high ? S_OK : S_FALSE;
  });
}

HRESULT TraceRecordData::ShowsGrid(DWORD address, LONG channel, LONG record) {
  Tarn::RecordCall(kService, "ShowsGrid",
                   ChannelArguments(address, channel) + ", record=" + std::to_string(record));
  return m_hiddenGrids.count({channel, record}) ? S_FALSE : S_OK;
}

HRESULT TraceRecordData::GetFlaggedChannels(LONG record, IQuorBitset** channels) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall(kService, "GetFlaggedChannels", "record=" + std::to_string(record));
    if (!channels) return E_POINTER;
    Quor::Bitset set;
    for (const auto& [flaggedRecord, channel] : m_flaggedChannels) {
      if (flaggedRecord == record) set.SetBit(std::size_t(channel));
    }
    *channels = set.GetInterface();
    return S_OK;
  });
}

HRESULT TraceRecordData::NotifyDataChanged(DWORD address, LONG channel, const LONG* four, LONG last) {
  if (!four) return E_POINTER;
  Tarn::RecordCall(kService, "NotifyDataChanged",
                   ChannelArguments(address, channel) + ", values=" + std::to_string(four[0]) +
                       "," + std::to_string(four[1]) + "," + std::to_string(four[2]) + "," +
                       std::to_string(four[3]) + ", last=" + std::to_string(last));
  return S_OK;
}

HRESULT TraceRecordData::GetRecordCount(LONG* count) { return m_records->GetRecordCount(count); }
HRESULT TraceRecordData::GetRecordInfo(LONG record, PendrelRecordInfo* info) {
  return m_records->GetRecordInfo(record, info);
}
HRESULT TraceRecordData::GetCurrentRecord(LONG* record) {
  return m_records->GetCurrentRecord(record);
}
HRESULT TraceRecordData::GetEndOfData(DWORD channelWord, LONG record, LONG* end) {
  return m_records->GetEndOfData(channelWord, record, end);
}
HRESULT TraceRecordData::OpenEventEnumerator(PendrelChannelRef channel, LONG record, LONG start,
                                             LONG end, DWORD kind, IUnknown** enumerator) {
  return m_records->OpenEventEnumerator(channel, record, start, end, kind, enumerator);
}
HRESULT TraceRecordData::OpenFloatEnumerator(PendrelChannelRef channel, LONG record, LONG start,
                                             IEnumFloatEx** enumerator) {
  return m_records->OpenFloatEnumerator(channel, record, start, enumerator);
}
HRESULT TraceRecordData::GetDataEnd(DWORD channelWord, LONG* endOffset, LONG* endRecord) {
  return m_records->GetDataEnd(channelWord, endOffset, endRecord);
}
HRESULT TraceRecordData::IsValidRange(LONG startOffset, LONG startRecord, LONG endOffset,
                                      LONG endRecord) {
  return m_records->IsValidRange(startOffset, startRecord, endOffset, endRecord);
}

void TraceRecordData::SetUnitFlag(LONG channel, bool flagged) {
  if (flagged) {
    m_flaggedUnits.insert(channel);
  } else {
    m_flaggedUnits.erase(channel);
  }
}

void TraceRecordData::SetValueMapping(LONG channel, double scale, double offset) {
  m_mappings[channel] = {scale, offset};
}

void TraceRecordData::SetGridShown(LONG channel, LONG record, bool shown) {
  if (shown) {
    m_hiddenGrids.erase({channel, record});
  } else {
    m_hiddenGrids.insert({channel, record});
  }
}

void TraceRecordData::SetChannelFlagged(LONG record, LONG channel, bool flagged) {
  if (flagged) {
    m_flaggedChannels.insert({record, channel});
  } else {
    m_flaggedChannels.erase({record, channel});
  }
}

}  // namespace PendrelHost
