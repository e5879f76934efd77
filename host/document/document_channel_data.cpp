#include "host/document/document_channel_data.h"

#include <cstdint>

#include "core/quor_string.h"
#include "host/document/arithmetic_calculation.h"
#include "host/document/channel_value_range.h"
#include "host/document/document_subject.h"
#include "host/framework/call_arguments.h"
#include "host/framework/call_log.h"
#include "host/framework/guarded_call.h"

namespace PendrelHost {

namespace {

constexpr const char* kService = "ChannelData";
// The record word that asks about every record.
constexpr LONG kAnyRecord = -2;

std::string ChannelText(DWORD index, DWORD kind) {
  return "channel=" + std::to_string(index) + ":" + Tarn::HexWord(kind);
}

std::string RecordText(DWORD channelWord, LONG record, DWORD index) {
  return "channelWord=" + Tarn::HexWord(channelWord) + ", record=" + std::to_string(record) +
         ", index=" + std::to_string(index);
}

}  // namespace

HRESULT DocumentChannelData::GetCalculation(DWORD index, DWORD kind, IUnknown** calculation) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall(kService, "GetCalculation", ChannelText(index, kind));
    if (!calculation) return E_POINTER;
    *calculation = nullptr;
    const auto found = m_contents.Space().Resolve(index);
    if (!found) return E_INVALIDARG;
    if (found->kind != DocumentChannel::Kind::Computed) return S_FALSE;
    IPendrelCalculation* held = m_contents.StateOf(found->index).calculation.get();
    if (!held) return S_FALSE;
    held->AddRef();
    *calculation = held;
    return S_OK;
  });
}

HRESULT DocumentChannelData::SetCalculation(DWORD index, DWORD kind, IUnknown* calculation) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall(kService, "SetCalculation",
                     ChannelText(index, kind) + ", calculation=" + Tarn::Presence(calculation));
    const auto found = m_contents.Space().Resolve(index);
    if (!found || found->kind != DocumentChannel::Kind::Computed) return E_INVALIDARG;
    const HRESULT bound = Bind(found->index, calculation);
    // Only the channel that changed is told of: the channels it reads stay as they were.
    if (bound == S_OK) {
      if (DocumentSubject* events = m_contents.Events()) {
        const auto pointer = reinterpret_cast<std::uintptr_t>(calculation);
        events->RaiseDataEvent(kDataEventCalculationChanged,
                               {index, kind, DWORD(pointer), DWORD(pointer >> 32)});
        events->RaiseDataEvent(kDataEventChannelChanged, {index});
      }
    }
    return bound;
  });
}

HRESULT DocumentChannelData::Bind(std::size_t computed, IUnknown* calculation) {
  Tarn::HeldReference<IPendrelCalculation> taken;
  if (calculation) {
    IPendrelCalculation* queried = nullptr;
    if (FAILED(calculation->QueryInterface(IPendrelCalculation::iid,
                                           reinterpret_cast<void**>(&queried)))) {
      return E_NOINTERFACE;
    }
    taken.reset(queried);
  }
  Tarn::HeldReference<IPendrelCalculation>& current = m_contents.StateOf(computed).calculation;
  if (taken.get() == current.get()) return S_OK;
  ArithmeticCalculation* arithmetic = AsArithmeticCalculation(taken.get());
  if (arithmetic && arithmetic->IsBound()) return E_INVALIDARG;
  UnbindCalculation(current.get());
  current = std::move(taken);
  if (arithmetic) arithmetic->Bind(m_contents.Channels(), computed);
  return S_OK;
}

HRESULT DocumentChannelData::GetRecordCount(DWORD channelWord, LONG* count) {
  Tarn::RecordCall(kService, "GetRecordCount", "channelWord=" + Tarn::HexWord(channelWord));
  if (!count) return E_POINTER;
  *count = static_cast<LONG>(m_contents.Source().RecordCount());
  return S_OK;
}

HRESULT DocumentChannelData::HasData(DWORD channelWord, LONG record, DWORD index) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall(kService, "HasData", RecordText(channelWord, record, index));
    if (!m_contents.Space().Resolve(index) || !m_contents.HasRecord(record)) return E_INVALIDARG;
    return m_contents.Source().TickCount(std::size_t(record)) > 0 ? S_OK : S_FALSE;
  });
}

HRESULT DocumentChannelData::GetSampleInterval(DWORD channelWord, LONG record, DWORD index,
                                               double* seconds) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall(kService, "GetSampleInterval", RecordText(channelWord, record, index));
    if (!seconds) return E_POINTER;
    *seconds = 0.0;
    if (!m_contents.Space().Resolve(index) || !m_contents.HasRecord(record)) return E_INVALIDARG;
    *seconds = m_contents.Source().TickPeriod();
    return S_OK;
  });
}

HRESULT DocumentChannelData::GetValueRange(DWORD index, DWORD flags, LONG record, double* minimum,
                                           double* maximum) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall(kService, "GetValueRange",
                     "index=" + std::to_string(index) + ", flags=" + Tarn::HexWord(flags) +
                         ", record=" + std::to_string(record));
    if (!minimum || !maximum) return E_POINTER;
    const auto found = m_contents.Space().Resolve(index);
    const std::size_t records = m_contents.Source().RecordCount();
    if (!found || (record != kAnyRecord && !m_contents.HasRecord(record)) || records == 0)
      return E_INVALIDARG;
    const std::optional<ChannelValue> value = m_contents.ValueOf(*found);
    if (!value) return E_FAIL;
    const std::size_t first = record == kAnyRecord ? 0 : std::size_t(record);
    const std::size_t last = record == kAnyRecord ? records - 1 : std::size_t(record);
    const std::optional<ValueRange> range = ChannelValueRange(*value, first, last);
    if (!range) return S_FALSE;
    *minimum = range->minimum;
    *maximum = range->maximum;
    return S_OK;
  });
}

HRESULT DocumentChannelData::GetOffsetAndScale(DWORD index, double* offset, double* scale) {
  Tarn::RecordCall(kService, "GetOffsetAndScale", "index=" + std::to_string(index));
  if (!offset || !scale) return E_POINTER;
  if (!m_contents.Space().Resolve(index)) return E_INVALIDARG;
  *offset = 0.0;
  *scale = 1.0;
  return S_OK;
}

HRESULT DocumentChannelData::GetChannelTitle(DWORD index, IQuorString** title) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall(kService, "GetChannelTitle", "index=" + std::to_string(index));
    return GiveText(index, title, &ChannelIndexSpace::Name);
  });
}

HRESULT DocumentChannelData::GetChannelUnit(DWORD index, IQuorString** unit) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall(kService, "GetChannelUnit", "index=" + std::to_string(index));
    return GiveText(index, unit, &ChannelIndexSpace::Unit);
  });
}

HRESULT DocumentChannelData::GiveText(DWORD index, IQuorString** text,
                                      std::string (ChannelIndexSpace::*get)(const DocumentChannel&)
                                          const) {
  if (!text) return E_POINTER;
  *text = nullptr;
  const auto found = m_contents.Space().Resolve(index);
  if (!found) return E_INVALIDARG;
  *text = Quor::String::FromUtf8((m_contents.Space().*get)(*found)).GetInterface();
  return S_OK;
}

}  // namespace PendrelHost
