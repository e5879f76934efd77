// A host document for a plot window: it answers the host-document interface, hands out a
// property object that has (or lacks) the store of state messages, and records every range
// message the plot's persist task sends it. Owned by the test; not reference counted.
#pragma once

#include <vector>

#include "platform/pendrel/documents.h"
#include "platform/pendrel/persist_messages.h"
#include "platform/win32/com_object.h"

namespace plotengine_test {

// A range message as the document received it.
struct SentRange {
  DWORD type;  // the message's type word
  double min;
  double max;
  DWORD flags;  // the message's mode
};

class FakePlotDocument final
    : public NoDeleteUnknownImp2<IPendrelHostDocument, IMessageHandler> {
 public:
  // `keepsMessages`: whether its property object answers IPendrelPersistMessages.
  explicit FakePlotDocument(bool keepsMessages = true) : m_keepsMessages(keepsMessages) {}

  HRESULT GetHostValue(IUnknown** value) override;
  HRESULT GetPropertyObject(IUnknown** properties) override;

  LONG HandleMessage(IMessage* message) override;
  HRESULT AddHandler(IMessageHandler*) override { return E_NOTIMPL; }
  HRESULT RemoveHandler(IMessageHandler*) override { return E_NOTIMPL; }
  HRESULT SetParent(IMessageHandler*) override { return E_NOTIMPL; }
  HRESULT GetSender(IMessageHandler** sender) override;

  std::vector<SentRange> ranges;
  // Every message, ranges or not.
  int messageCount = 0;

 private:
  class Store final : public NoDeleteUnknownImp1<IPendrelPersistMessages> {
   public:
    HRESULT EnumMessagesOfClass(DWORD, IEnumUnknown** messages) override;
  };

  bool m_keepsMessages;
  Store m_store;
};

}  // namespace plotengine_test
