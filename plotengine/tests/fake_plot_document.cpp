#include "plotengine/tests/fake_plot_document.h"

#include <cstring>

#include "plotengine/tasks/persist_records.h"

namespace plotengine_test {

HRESULT FakePlotDocument::GetHostValue(IUnknown** value) {
  if (!value) return E_POINTER;
  *value = nullptr;
  return E_NOTIMPL;
}

HRESULT FakePlotDocument::GetPropertyObject(IUnknown** properties) {
  if (!properties) return E_POINTER;
  // Without the store, the document itself stands for a property object that lacks it.
  *properties = m_keepsMessages ? static_cast<IUnknown*>(&m_store)
                                : static_cast<IUnknown*>(static_cast<IMessageHandler*>(this));
  return S_OK;
}

LONG FakePlotDocument::HandleMessage(IMessage* message) {
  ++messageCount;
  DWORD bytes = 0;
  const void* data = message->GetData(&bytes);
  Quor::EtchRangeRecord record{};
  if (!data || bytes != sizeof record) return 1;
  std::memcpy(&record, data, sizeof record);
  if (record.tag == Quor::kEtchRangeTag) {
    ranges.push_back({record.type, record.min, record.max, message->GetFlags()});
  }
  return 1;
}

HRESULT FakePlotDocument::GetSender(IMessageHandler** sender) {
  if (!sender) return E_POINTER;
  *sender = this;
  return S_OK;
}

HRESULT FakePlotDocument::Store::EnumMessagesOfClass(DWORD, IEnumUnknown** messages) {
  if (!messages) return E_POINTER;
  *messages = nullptr;
  return S_FALSE;
}

}  // namespace plotengine_test
