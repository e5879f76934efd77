// Messages: typed commands and notices that the host delivers to trees of message handlers.
#pragma once

#include "core/iquor_string.h"
#include "platform/win32/variant.h"
#include "platform/pendrel/persist_object.h"

// A message flag: the handler that sent the message does not handle it itself.
constexpr DWORD kTarnMessageNotForSender = 8;
// A message flag: the message names a target type (a view type) that is to handle it.
constexpr DWORD kTarnMessageHasTarget = 0x40;

struct IMessageHandler;

// A message's parameters are a block of 32-bit words whose meaning its type fixes.
struct IMessage : IPersistObject {
  PLATFORM_INTERFACE_ID("1ae304a2-4411-48a8-aa68-6c8f82e71cff");
  using Base = IPersistObject;
  virtual DWORD GetMessageId() = 0;
  virtual DWORD GetFlags() = 0;
  virtual HRESULT Clone(IMessage** copy) = 0;
  // The parameter block (null when the message has none) and its size in bytes.
  virtual const void* GetData(DWORD* bytes) = 0;
  virtual HRESULT SetSender(IMessageHandler* sender) = 0;
  virtual HRESULT IsSender(IMessageHandler* sender, BOOL* isSender) = 0;
  // The target type word of a message with kTarnMessageHasTarget; S_FALSE and 0 without one.
  virtual HRESULT GetTarget(DWORD* type) = 0;

 protected:
  ~IMessage() = default;
};

struct IMessageHandler : IUnknown {
  PLATFORM_INTERFACE_ID("ff4bcd9e-24ec-4b80-9385-a02204fb6eb3");
  using Base = IUnknown;
  // 1 when handled, 0 otherwise.
  virtual LONG HandleMessage(IMessage* message) = 0;
  virtual HRESULT AddHandler(IMessageHandler* child) = 0;
  virtual HRESULT RemoveHandler(IMessageHandler* child) = 0;
  virtual HRESULT SetParent(IMessageHandler* parent) = 0;
  // The root of the handler's tree, with a reference.
  virtual HRESULT GetSender(IMessageHandler** sender) = 0;

 protected:
  ~IMessageHandler() = default;
};

// Delivers messages to their target handler.
struct ITarnMessageService : IUnknown {
  PLATFORM_INTERFACE_ID("c937fdcf-1e42-414a-b76e-88dd84b5e85b");
  using Base = IUnknown;
  // The target's HandleMessage result: S_OK when handled, S_FALSE when not.
  virtual HRESULT DeliverMessage(IMessage* message, IMessageHandler* target) = 0;

 protected:
  ~ITarnMessageService() = default;
};

// Makes message objects (host object type 0x80000007).
struct ITarnMessageValueService : IUnknown {
  PLATFORM_INTERFACE_ID("14fcef47-3678-430a-8f76-d92972ce60a4");
  using Base = IUnknown;
  // The parameter block is copied into the message. With `hasTarget` the message names the
  // target type word `target` and carries kTarnMessageHasTarget.
  // With `object` (a message object of the shared service, naming what the message is the
  // state of) the message is a state message, which a document keeps: its block is a packed
  // state record (below), whose texts the host copies; the message holds the object.
  virtual HRESULT CreateMessage(DWORD id, DWORD flags, DWORD target, DWORD hasTarget,
                                IUnknown* object, const void* parameters, DWORD parameterBytes,
                                IMessage** message) = 0;

 protected:
  ~ITarnMessageValueService() = default;
};

// A state record: packed, without padding: the type word, a header word, the signature of its
// fields, then the fields. The signature names the fields from its lowest hex digit up, 0 ending
// the list: 1 a 32-bit word, 3 a double, 7 a string object (IQuorString, pointer-sized).
constexpr DWORD kStateFieldWord = 1;
constexpr DWORD kStateFieldDouble = 3;
constexpr DWORD kStateFieldText = 7;

// Receives the lines of a message's text form or help text.
struct ITarnTextLineWriter : IUnknown {
  PLATFORM_INTERFACE_ID("c71e015c-b5f0-47ce-8cda-46618a78d115");
  using Base = IUnknown;
  virtual HRESULT WriteLine(IQuorString* line, DWORD flags) = 0;

 protected:
  ~ITarnTextLineWriter() = default;
};

// A message class: lets the host create, describe and record messages of one type by name.
struct IMsgIdMessageClassObject : IUnknown {
  PLATFORM_INTERFACE_ID("56556f4f-c0df-4f30-8513-d4412815f52d");
  using Base = IUnknown;
  virtual DWORD GetMessageId() = 0;
  virtual HRESULT GetName(IQuorString** name) = 0;
  virtual HRESULT GetDescription(IQuorString** description) = 0;
  virtual HRESULT GetCategory(IQuorString** category) = 0;
  // Whether automation may create the message by name.
  virtual HRESULT IsPublic(VARIANT_BOOL* isPublic) = 0;
  // How many parameters the message takes.
  virtual HRESULT HasParameters(DWORD* count) = 0;
  // Makes a message from the arguments of an automation call.
  virtual HRESULT CreateFromArguments(const DISPPARAMS* arguments, IMessage** message) = 0;
  // Writes the text form of `message` (or of the class, with null) line by line.
  virtual HRESULT WriteTextForm(IMessage* message, ITarnTextLineWriter* output, DWORD flags) = 0;
  // The text form's message line with its values only (no frame), into `text`.
  virtual HRESULT ToText(IMessage* message, IQuorString** text, DWORD flags) = 0;
  virtual HRESULT WriteHelpText(ITarnTextLineWriter* writer, DWORD flags) = 0;

 protected:
  ~IMsgIdMessageClassObject() = default;
};

// Knows every message class by id and by name.
struct ITarnMessageFactory : IUnknown {
  PLATFORM_INTERFACE_ID("257c4481-6bdb-4ecf-a7f8-311795196d48");
  using Base = IUnknown;
  virtual HRESULT RegisterMessageClass(IMsgIdMessageClassObject* messageClass) = 0;
  virtual HRESULT FindMessageClass(IQuorString* name, IMsgIdMessageClassObject** messageClass) = 0;

 protected:
  ~ITarnMessageFactory() = default;
};
