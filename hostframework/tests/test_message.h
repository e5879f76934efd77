// A message object for tests that need no host.
#pragma once

#include <vector>

#include "platform/pendrel/messages.h"
#include "platform/win32/com_object.h"

class TestMessage : public SimpleUnknownImp1<IMessage, 1> {
 public:
  TestMessage(DWORD id, DWORD flags, std::vector<DWORD> words = {})
      : m_id(id), m_flags(flags), m_words(std::move(words)) {}

  HRESULT Load(IBinInStream*) override { return E_NOTIMPL; }
  HRESULT Save(IBinOutStream*) override { return E_NOTIMPL; }
  HRESULT GetTypeId(DWORD* type) override {
    *type = m_id;
    return S_OK;
  }
  DWORD GetMessageId() override { return m_id; }
  DWORD GetFlags() override { return m_flags; }
  HRESULT Clone(IMessage**) override { return E_NOTIMPL; }
  const void* GetData(DWORD* bytes) override {
    *bytes = DWORD(m_words.size() * sizeof(DWORD));
    return m_words.empty() ? nullptr : m_words.data();
  }
  HRESULT SetSender(IMessageHandler* sender) override {
    m_sender = sender;
    return S_OK;
  }
  HRESULT IsSender(IMessageHandler* sender, BOOL* isSender) override {
    *isSender = sender == m_sender ? TRUE : FALSE;
    return S_OK;
  }
  HRESULT GetTarget(DWORD* type) override {
    *type = 0;
    return S_FALSE;
  }

 private:
  DWORD m_id;
  DWORD m_flags;
  std::vector<DWORD> m_words;
  IMessageHandler* m_sender = nullptr;
};
