// What the document tests share: a host started once and reset before every test, a document
// over a recording, and short ways to ask it for its faces and to read what it gives.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/quor_string.h"
#include "host/document/data_document.h"
#include "host/framework/call_log.h"
#include "host/framework/held_reference.h"
#include "host/framework/host_text.h"
#include "hostframework/tests/host_fixture.h"
#include "platform/pendrel/arithmetic_channels.h"
#include "platform/pendrel/child_data.h"
#include "platform/win32/com_object.h"

namespace DocumentTest {

using Tarn::HeldReference;

// A host started once, that knows nothing of earlier tests when each begins.
using HostTest = HostFrameworkTest;

template <class I>
HeldReference<I> Face(IUnknown* object) {
  void* face = nullptr;
  if (object) object->QueryInterface(I::iid, &face);
  return HeldReference<I>(static_cast<I*>(face));
}

inline HeldReference<IQuorString> Text(const std::u16string& text) {
  return HeldReference<IQuorString>(Quor::String(text).GetInterface());
}

// Takes over a string the host gave through an out parameter.
inline std::u16string Adopt(IQuorString* text) {
  HeldReference<IQuorString> held(text);
  return Tarn::TextOf(text);
}

// The recorded calls of one service (of one operation of it, when given), as
// "Operation(arguments)".
inline std::vector<std::string> CallsOf(const std::string& service,
                                        const std::string& operation = {}) {
  std::vector<std::string> calls;
  for (const Tarn::CallRecord& call : Tarn::RecordedCalls()) {
    if (call.service == service && (operation.empty() || call.operation == operation)) {
      calls.push_back(call.operation + "(" + call.arguments + ")");
    }
  }
  return calls;
}

// The formula texts the host's arithmetic settings objects received, in order.
inline std::vector<std::string> FormulasReceived() {
  std::vector<std::string> formulas;
  for (const std::string& call : CallsOf("ArithmeticSettings", "SetTexts")) {
    const std::size_t start = call.find("formula=\"") + 9;
    formulas.push_back(call.substr(start, call.find("\", unit=") - start));
  }
  return formulas;
}

// A child data object that only is there.
class ProbeChildData final : public SimpleUnknownImp1<IPendrelDataChildData, 1> {
 public:
  HRESULT GetTypeId(DWORD* type) override {
    *type = 0;
    return S_OK;
  }
  HRESULT Duplicate(LONG_PTR, LONG_PTR, LONG_PTR, LONG_PTR, LONG_PTR, LONG_PTR,
                    IPendrelDataChildData**) override {
    return E_NOTIMPL;
  }
  HRESULT OnDataChanged(LONG_PTR, LONG_PTR, LONG_PTR, LONG_PTR, LONG_PTR, LONG_PTR, LONG_PTR,
                        LONG_PTR) override {
    return S_OK;
  }
  HRESULT OnRecordsChanged(LONG_PTR, LONG_PTR, LONG_PTR, LONG_PTR) override { return S_OK; }
  HRESULT OnDataMoved(LONG_PTR, LONG_PTR, LONG_PTR, LONG_PTR, LONG_PTR, LONG_PTR, LONG_PTR,
                      LONG_PTR, LONG_PTR, LONG_PTR, LONG_PTR) override {
    return S_OK;
  }
};

// Every event of a channel in a record as the channel's records of `*size` bytes, read through
// the document in blocks of `perCall` events; `last` receives the last call's result.
std::vector<BYTE> EventBytes(IUnknown* document, PendrelChannelRef channel, LONG record,
                             int perCall, HRESULT* last, DWORD* size);

// The ticks of every event of a channel in a record.
std::vector<LONG> EventTicks(IUnknown* document, PendrelChannelRef channel, LONG record = 0,
                             int perCall = 16, HRESULT* last = nullptr);

// Every event of a channel in a record, whose records are Events.
template <class Event>
std::vector<Event> ReadEvents(IUnknown* document, PendrelChannelRef channel, LONG record = 0,
                              int perCall = 16, HRESULT* last = nullptr) {
  DWORD size = 0;
  const std::vector<BYTE> bytes = EventBytes(document, channel, record, perCall, last, &size);
  std::vector<Event> events;
  if (bytes.empty()) return events;
  if (size != sizeof(Event)) {
    ADD_FAILURE() << "the channel's events have " << size << " bytes, not " << sizeof(Event);
    return events;
  }
  events.resize(bytes.size() / size);
  std::memcpy(events.data(), bytes.data(), events.size() * size);
  return events;
}

}  // namespace DocumentTest
