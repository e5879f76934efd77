// The host's object for a data document as a save-as class receives it: it gives the module
// documents the host keeps for the document, by their type words. Made for one save; the hosted
// document must outlive it.
#pragma once

#include "host/document/hosted_document.h"
#include "platform/pendrel/tabulon.h"
#include "platform/win32/com_object.h"

namespace PendrelHost {

class HostDocumentObject final : public SimpleUnknownImp1<IPendrelModuleDocuments, 1> {
 public:
  explicit HostDocumentObject(const HostedDocument& document) : m_document(&document) {}

  HRESULT GetModuleDocument(DWORD type, IUnknown** document) override;

 private:
  ~HostDocumentObject() override = default;

  const HostedDocument* m_document;
};

}  // namespace PendrelHost
