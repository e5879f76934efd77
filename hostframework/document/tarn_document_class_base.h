// The shared part of a document class object: it tells the host the document type (name,
// flags, document GUID, category, type word), aggregates the host's part of the class (which
// routes the class's commands to the active document) and keeps the commands the class
// registered. The host owns the class object by reference count from registration on; the
// commands are registered when the host initialises the class.
#pragma once

#include "core/com_object_root.h"
#include "core/com_ptr.h"
#include "core/quor_string.h"
#include "hostframework/document/command_holder.h"
#include "hostframework/event_handler.h"
#include "platform/pendrel/documents.h"

class TarnDocumentClassBase : public ICustomDocClass,
                              public TarnEventHandlerT<1>,
                              public Quor::CComObjectRoot {
  TARN_DECLARE_EVENT_TABLE();

 public:
  // The GUIDs are static: the class keeps their addresses.
  TarnDocumentClassBase(const Quor::String& name, const GUID* documentGuid,
                        const GUID* categoryGuid, DWORD typeWord, DWORD flags,
                        DWORD creationArgument);

  HRESULT QueryInterface(REFIID iid, void** object) override;
  ULONG AddRef() override;
  ULONG Release() override;

  // ITarnClassObject
  HRESULT GetTypeId(DWORD* type) override;
  HRESULT GetCategoryId(GUID* category) override;
  HRESULT GetClassName(IQuorString** name) override;
  HRESULT IsCategory(REFGUID category) override;

  // ICustomDocClass (CreateDocument is the concrete class's)
  HRESULT GetName(BSTR* name) override;
  HRESULT GetFlags(DWORD* flags) override;
  HRESULT Reserved10() override { return E_NOTIMPL; }
  HRESULT Initialise(DWORD argument) override;
  HRESULT Terminate() override { return S_OK; }
  HRESULT GetDocumentGuid(const GUID** guid) override;

  // Commands go to the host's part first; what it leaves goes to the class's own table.
  LONG OnCommand(DWORD id) override;
  LONG OnCommandEnable(DWORD id, ITarnCommandState* state) override;
  LONG OnCommandNotify(DWORD id, DWORD kind, DWORD a, DWORD b) override;

  DWORD TypeWord() const { return m_typeWord; }
  const GUID& DocumentGuid() const { return *m_documentGuid; }
  const Quor::String& Name() const { return m_name; }
  TarnCommandHolder& Commands() { return m_commands; }
  bool HasHostPart() const { return static_cast<bool>(m_inner); }

 protected:
  ~TarnDocumentClassBase() override;

  // Registers the class's menus and commands with the host's command service, routed to
  // `handler`; called by Initialise.
  virtual void RegisterCommands(ITarnCommandHandler* handler, DWORD argument) = 0;

 private:
  void CreateHostPart(DWORD creationArgument);

  ITarnCommandHandler* m_innerCommands = nullptr;  // of m_inner, not counted
  Quor::ComPtr<IUnknown> m_inner;
  TarnCommandHolder m_commands;
  Quor::String m_name;
  const GUID* m_documentGuid;
  const GUID* m_categoryGuid;
  DWORD m_typeWord;
  DWORD m_flags;
};
