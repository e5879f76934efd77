// The document class object of one document class D: it creates D's documents for the host and
// registers D's menus and commands when the host initialises it. D provides a constructor
// D(host document, class object, host argument) and a static RegisterCommands(holder).
#pragma once

#include <new>

#include "core/com_call_guard.h"
#include "hostframework/document/tarn_document_class_base.h"
#include "hostframework/menu_service.h"

template <class D>
class TarnDocumentClass final : public TarnDocumentClassBase {
 public:
  using TarnDocumentClassBase::TarnDocumentClassBase;

  HRESULT CreateDocument(DWORD, IUnknown* hostDocument, IUnknown* argument,
                         ICustomDocument2** document, DWORD) override {
    if (!document) return E_POINTER;
    *document = nullptr;
    return Quor::GuardedCall([&] {
      D* created = new D(hostDocument, static_cast<ICustomDocClass*>(this), argument);
      created->AddRef();
      *document = static_cast<ICustomDocument2*>(created);
      return S_OK;
    });
  }

 protected:
  void RegisterCommands(ITarnCommandHandler* handler, DWORD argument) override {
    Quor::ComPtr<IUnknown> entry;
    QueryCommandService(entry, DocumentGuid(), argument, handler);
    Commands().Reset(entry.Get(), handler);
    D::RegisterCommands(Commands());
  }
};
