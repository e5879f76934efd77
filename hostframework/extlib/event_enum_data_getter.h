// Collects what a host event enumeration yields (the events of a channel from a position to
// the end of its record) into memory, in one pass over recorded data, and listens to the
// host's online data while it samples so that a pass stops when sampling stops. The module's
// self-tests use it to compare what an enumerator gives offline and while data arrives. The
// owner deletes the getter (its reference count does nothing); the getter holds a reference
// on its source for as long as it lives, since it still calls the source when it goes.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/com_ptr.h"
#include "core/quor_string.h"
#include "platform/pendrel/data_source.h"
#include "platform/pendrel/online_data.h"
#include "platform/win32/com_object.h"

namespace ExtLib {

// A channel named in an enumerator's parameter text: its number, and whether it was written
// "rch" (a channel of the record) and "vch" (a computed channel).
struct ChannelReference {
  LONG number;
  bool recordChannel;
  bool computed;
  bool operator==(const ChannelReference&) const = default;
};

// Every "ch<number>" (also "channel<number>", "rch", "vch") of a lower-cased parameter text,
// each distinct reference once, in the order of first appearance.
std::vector<ChannelReference> ReadChannelReferences(const std::u16string& text);

class EventEnumDataGetter final : public NoDeleteUnknownImpBase<IOnlineDataSink> {
 public:
  using Callback = std::function<void()>;

  // Advised to the source's online data when `channelWord` is 0; `stopped` runs when sampling
  // stops.
  EventEnumDataGetter(IPendrelDataSource* source, Callback stopped, DWORD channelWord);
  EventEnumDataGetter(IPendrelDataSource* source, DWORD channelWord);
  ~EventEnumDataGetter();
  EventEnumDataGetter(const EventEnumDataGetter&) = delete;
  EventEnumDataGetter& operator=(const EventEnumDataGetter&) = delete;

  // One pass over the events of `channel` in `record` from `from` to the record's end. A time
  // of exactly -1 stands for the start time of the record. False when the host gives no
  // enumeration.
  bool Run(PendrelChannelRef channel, LONG record, LONG from, double time);
  // Forgets the pass's events.
  void Stop();

  // The enumerator under test: `formula` (a calculated event enumerator's call) becomes a
  // computed channel of the source's document, of its own for this getter (asked again for
  // the same formula, it keeps the channel); `enumId` names the enumerator's class. False
  // when the document refuses the channel or the formula.
  bool CreateEnum(DWORD enumId, const Quor::String& formula);
  // Opens a new enumerator over that channel's events in `record`, standing at `tick`; a time of
  // exactly -1 stands for the record's start time. False before CreateEnum or when the host
  // gives none.
  bool SetSources(LONG record, LONG tick, double time = -1.0);
  // The enumerator SetSources opened; null before.
  IEnumEventEx* Enumerator() const { return m_enumerator.Get(); }
  // Lets go of the enumerator (the channel stays for the next SetSources).
  void ReleaseEnum() { m_enumerator.Clear(); }
  DWORD EnumId() const { return m_enumId; }

  bool Advised() const { return m_advised; }
  bool Running() const { return m_running; }
  double PassTime() const { return m_time; }
  // The events of the pass, each its record's bytes, in the enumeration's order.
  const std::vector<std::vector<BYTE>>& Items() const { return m_items; }

  HRESULT OnSamplingStarting(DWORD, VARIANT_BOOL* proceed) override;
  HRESULT OnRecordStart(LONG) override { return S_OK; }
  HRESULT OnDataAdded(LONG, LONG, LONG, VARIANT_BOOL) override { return S_OK; }
  HRESULT OnRecordEnd(LONG) override { return S_OK; }
  HRESULT OnSamplingStopped(DWORD, DWORD) override;
  HRESULT OnDataChanged(DWORD) override { return S_OK; }
  HRESULT OnChannelChanged(DWORD) override { return S_OK; }
  HRESULT Reserved10() override { return E_NOTIMPL; }
  HRESULT Reserved11() override { return E_NOTIMPL; }
  HRESULT Notify12() override { return S_OK; }
  HRESULT GetUpdateInterval(DWORD* interval) override;
  HRESULT GetDataInterest(DWORD* interest) override;

 private:
  Quor::ComPtr<IPendrelOnlineDataSource> OnlineSource() const;

  Quor::ComPtr<IPendrelDataSource> m_source;
  Callback m_stopped;
  DWORD m_channelWord;
  bool m_advised = false;
  bool m_running = false;
  double m_time = 0.0;
  std::vector<std::vector<BYTE>> m_items;
  DWORD m_enumId = 0;
  std::optional<PendrelChannelRef> m_channel;
  Quor::String m_formula;
  Quor::ComPtr<IEnumEventEx> m_enumerator;
};

}  // namespace ExtLib
