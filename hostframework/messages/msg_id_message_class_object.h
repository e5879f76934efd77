// The message class object of one message type: the host's message factory knows it by name,
// and through it automation creates messages of the type and the host writes their text form.
// `IdClass` names the message id (MsgIdClass); the messages carry no data fields of their own
// but may name a target type (a view type) to handle them. The objects are static: counting
// references does nothing, and they live until the module unloads.
#pragma once

#include "core/com_object_root.h"
#include "hostframework/message_class_object.h"
#include "hostframework/messages/message_class_list.h"

namespace Quor {

// Makes messages of `id` from automation arguments and writes their text form; the part of a
// message class object that does not depend on its id class.
class MessageClassFace : public IMsgIdMessageClassObject, public LinkedMessageClass {
 public:
  HRESULT QueryInterface(REFIID iid, void** object) override;
  ULONG AddRef() override { return 1; }
  ULONG Release() override { return 1; }

  DWORD GetMessageId() override { return Id(); }
  HRESULT GetName(IQuorString** name) override;
  HRESULT GetDescription(IQuorString** description) override;
  HRESULT GetCategory(IQuorString** category) override;
  HRESULT IsPublic(VARIANT_BOOL* isPublic) override;
  HRESULT HasParameters(DWORD* count) override;
  // No arguments: a message without a target; one: the target type, by name or number.
  // Named arguments or more than one give DISP_E_BADPARAMCOUNT; a value that is not text and
  // cannot become text gives the conversion's error; a name the host does not know,
  // E_INVALIDARG.
  HRESULT CreateFromArguments(const DISPPARAMS* arguments, IMessage** message) override;
  HRESULT WriteTextForm(IMessage* message, ITarnTextLineWriter* output, DWORD flags) override;
  HRESULT ToText(IMessage* message, IQuorString** text, DWORD flags) override;
  HRESULT WriteHelpText(ITarnTextLineWriter* writer, DWORD flags) override;

  IMsgIdMessageClassObject* GetMessageClassInterface() override { return this; }
  const MsgIdMessageClassObjectRootImpl& Root() const { return m_root; }

 protected:
  // The root's id stays 0: the id comes from the host, which is not there at static
  // construction, and is asked for through Id() when needed.
  MessageClassFace(String name, String category, String description)
      : m_root(0, std::move(name), std::move(category), std::move(description)) {}
  ~MessageClassFace() = default;
  virtual DWORD Id() const = 0;

 private:
  MsgIdMessageClassObjectRootImpl m_root;

  // "TarnId,ViewType,\"name\"" for a message that names a target; empty otherwise.
  String TargetPart(IMessage* message) const;
};

template <class IdClass>
class MsgIdMessageClassObject final : public MessageClassFace {
 public:
  MsgIdMessageClassObject(String name, String category, String description)
      : MessageClassFace(std::move(name), std::move(category), std::move(description)) {}

 protected:
  DWORD Id() const override { return IdClass::Id(); }
};

}  // namespace Quor
