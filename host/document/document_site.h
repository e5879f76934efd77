// Host object type 0x80000011: the host's object behind one module document. It relays the
// document's notices to its observers (and logs them with the data document), takes the
// messages the document's own handlers leave (the host's open-view message and the channel
// display messages, which the data document keeps, among them), relays
// the notices the document hears, and gives the document's host value object. It lives as long
// as the module document holds it.
#pragma once

#include <vector>

#include "host/document/document_subject.h"
#include "host/framework/held_reference.h"
#include "platform/pendrel/documents.h"
#include "platform/pendrel/events.h"
#include "platform/pendrel/messages.h"
#include "platform/win32/com_object.h"

namespace PendrelHost {

class DataDocument;

// Its subject face is the document's own: the views observe the document through it.
class DocumentSite final
    : public SimpleUnknownImpBase<IPendrelDocumentSite, ITarnFrameworkNotice, IMessageHandler,
                                  IObserver, IPendrelHostDocument, DocumentSubject> {
 public:
  DocumentSite();

  // IPendrelDocumentSite
  HRESULT Attach(IUnknown* parent, IUnknown* hostDocument) override;
  // ITarnFrameworkNotice
  HRESULT Notice(DWORD type, const DWORD* code) override;
  // IMessageHandler: the host's messages; others are not handled. A state message is kept
  // with the data document and then handed to every child, so that the objects bound to the
  // document hear the state they sent.
  LONG HandleMessage(IMessage* message) override;
  // The site is the root of its tree. It keeps its children without a reference: each leaves
  // (RemoveHandler) before it goes, so the site never holds one alive.
  HRESULT AddHandler(IMessageHandler* child) override;
  HRESULT RemoveHandler(IMessageHandler* child) override;
  HRESULT SetParent(IMessageHandler*) override { return E_NOTIMPL; }
  HRESULT GetSender(IMessageHandler** sender) override;
  // IObserver: the relay hears what the document hears and keeps nothing of it.
  LONG RegisterEvents(ITarnEventRegistrar*) override { return 1; }
  LONG OnNotify(ISubject*, DWORD, LONG_PTR, const void*) override { return 0; }
  // IPendrelHostDocument
  HRESULT GetHostValue(IUnknown** value) override;
  // The data document the site belongs to; none before it is attached.
  HRESULT GetPropertyObject(IUnknown** properties) override;

 private:
  ~DocumentSite() override;
  void OfferToChildren(IMessage* message);

  Tarn::HeldReference<IUnknown> m_host;
  DataDocument* m_document = nullptr;  // within m_host
  Tarn::HeldReference<IUnknown> m_value;
  std::vector<IMessageHandler*> m_children;
};

}  // namespace PendrelHost
