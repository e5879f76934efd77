// A module's calculated event enumerator as the host's channels pull it: each record's source
// cursors become the host's own float and event enumerators, handed to ICalcEnum::StartRecord,
// and events are read through the enumerator's IEnumEventEx.
#pragma once

#include <string>

#include "host/channels/event_enumerator.h"
#include "host/framework/held_reference.h"
#include "platform/pendrel/calc_enum.h"

namespace PendrelHost {

class ModuleEventEnumerator : public EventEnumerator {
 public:
  // `document`: the document whose channels the enumerator computes, which its sources name.
  ModuleEventEnumerator(std::string className, Tarn::HeldReference<ICalcEnum> control,
                        Tarn::HeldReference<IEnumEventEx> events, std::size_t recordSize,
                        IUnknown* document);

  std::size_t RecordSize() const override { return m_recordSize; }
  // As the enumerator tells it; 0 when it does not.
  uint32_t EventTypeWord() const override;
  // Throw ChannelError when the enumerator fails.
  void StartRecord(std::size_t record, std::vector<EnumeratorSource> sources, double tickPeriod,
                   bool online) override;
  void SetPosition(int64_t tick) override;
  EventBatch Next(int64_t end, std::span<std::byte> buffer) override;

 private:
  [[noreturn]] void Fail(const std::string& what, HRESULT hr) const;

  std::string m_className;
  Tarn::HeldReference<ICalcEnum> m_control;
  Tarn::HeldReference<IEnumEventEx> m_events;
  std::size_t m_recordSize;
  IUnknown* m_document;
};

}  // namespace PendrelHost
