// The host document's store of the state messages modules send to keep with the document (a
// plot's scale ranges and regions, among them). The store keeps them with the document file
// and gives them back by message class, so that an object bound to the document again can
// replay what it sent before. A document's property object answers IPendrelPersistMessages when
// the host keeps such messages.
#pragma once

#include "platform/pendrel/messages.h"
#include "platform/win32/enum_unknown.h"

struct IPendrelPersistMessages : IUnknown {
  PLATFORM_INTERFACE_ID("a38b83dc-dbd4-43bb-8902-8b991bc0d0a8");
  using Base = IUnknown;
  // The stored messages of the message class `classId` (the host id of its GUID), in stored
  // order, each item an IMessage.
  virtual HRESULT EnumMessagesOfClass(DWORD classId, IEnumUnknown** messages) = 0;

 protected:
  ~IPendrelPersistMessages() = default;
};
