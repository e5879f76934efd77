// The base of a module's documents: the document interface the host drives, the event handler
// that dispatches the host's commands, notices and messages through the document's event table,
// the message handler and sender, the reference count, and the host interfaces the document
// reaches through the host's object behind it (type 0x80000011). The host creates a document
// through its class object with one reference, calls Close before its last release, and the
// document lets go of every host interface when it goes.
#pragma once

#include "core/com_object_root.h"
#include "core/com_ptr.h"
#include "core/quor_string.h"
#include "hostframework/event_handler.h"
#include "platform/pendrel/documents.h"

class TarnDocument : public ICustomDocument2,
                     public TarnEventHandlerT<1>,
                     public Quor::CComObjectRoot {
 public:
  // `parent` (the class object) and `host` (the host's document object) are held.
  TarnDocument(IUnknown* parent, IUnknown* host, DWORD tag, DWORD word);

  HRESULT QueryInterface(REFIID iid, void** object) override;
  ULONG AddRef() override;
  ULONG Release() override;

  // ICustomDocument2
  HRESULT GetName(BSTR* name) override;
  HRESULT GetEnabled(VARIANT_BOOL* enabled) override;
  HRESULT Close() override;
  HRESULT GetExtra(IUnknown** extra) override;
  HRESULT GetDocumentTag(DWORD* tag) override;
  HRESULT GetFramework(IUnknown** framework) override;
  HRESULT GetPersistObject(DWORD part, DWORD kind, DWORD reserved, IUnknown** object,
                           IUnknown** extra) override;
  HRESULT SetDocumentText(DWORD reserved, IQuorString* text) override;
  HRESULT GetDocumentText(DWORD reserved, IQuorString** text) override;
  HRESULT GetDocumentMode(DWORD* mode) override;
  HRESULT SetDocumentMode(DWORD mode) override;
  HRESULT OnStateChange(DWORD state) override;
  HRESULT OnHostNotice5(DWORD, DWORD, DWORD, DWORD, DWORD) override { return S_OK; }
  HRESULT OnHostNotice2(DWORD, DWORD) override { return S_OK; }
  HRESULT OnHostNotice2b(DWORD, DWORD) override { return S_OK; }

  // The host's notices reach the relay of the host's object first, then the table.
  LONG OnNotify(ISubject* subject, DWORD eventId, LONG_PTR a, const void* parameters) override;
  // The table, then the children, then the host's message target.
  LONG HandleMessage(IMessage* message) override;

  // Hands {type, code} to the host framework, which relays it to the document's observers.
  void SendFrameworkNotice(DWORD type, DWORD code);
  // The host's value object of the document (its frame window, among others); null without one.
  IUnknown* GetHostValue();
  // The host document face of the document's site: its property object keeps the state
  // messages of the document's objects, which go through the site's message handler. Not
  // added to (the document holds it); null without a site.
  IPendrelHostDocument* GetHostDocument();
  // Sends a message made from the description to the root of the document's handler tree.
  HRESULT SendToHost(DWORD id, const void* parameters = nullptr, DWORD bytes = 0,
                     DWORD extraFlags = 0);

  IUnknown* Host() const { return m_host.Get(); }
  // What the document's views observe: the host's object behind the document, which relays
  // the document's notices; null without one.
  Quor::ComPtr<ISubject> NoticeSubject() const;
  const Quor::String& Name() const { return m_name; }
  void SetName(const Quor::String& name) { m_name = name; }

 protected:
  ~TarnDocument() override;

 private:
  // A face of the host's object, asked for once and kept.
  template <class I>
  I* SiteFace(Quor::ComPtr<I>& cache);

  Quor::ComPtr<IUnknown> m_parent;
  Quor::ComPtr<ITarnClassObject> m_parentClass;
  Quor::ComPtr<IUnknown> m_host;
  DWORD m_tag;
  DWORD m_mode = 0;
  Quor::String m_text;
  Quor::String m_name;
  Quor::ComPtr<IPendrelDocumentSite> m_site;
  Quor::ComPtr<ITarnFrameworkNotice> m_notice;
  Quor::ComPtr<IMessageHandler> m_messageTarget;
  Quor::ComPtr<IObserver> m_relay;
  Quor::ComPtr<IPendrelHostDocument> m_hostDocument;
  Quor::ComPtr<IUnknown> m_hostValue;
  Quor::ComPtr<IUnknown> m_framework;
};
