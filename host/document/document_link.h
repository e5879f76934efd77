// The document an enumerator reads, which IPendrelSourceDocument gives out. Enumerators the
// module opens hold their document, whose recording and channels they read. Those the document
// hands the module's enumerators inside its own channels only point at it: they live inside the
// document, and a reference would keep the document and its channels alive through each other.
#pragma once

#include "platform/win32/unknown.h"

namespace PendrelHost {

class DocumentLink {
 public:
  static DocumentLink Holding(IUnknown* document) { return DocumentLink(document, true); }
  static DocumentLink Inside(IUnknown* document) { return DocumentLink(document, false); }

  DocumentLink(const DocumentLink& other) : DocumentLink(other.m_document, other.m_holds) {}
  DocumentLink& operator=(const DocumentLink&) = delete;
  ~DocumentLink() {
    if (m_holds && m_document) m_document->Release();
  }

  // The document with a reference for the caller.
  HRESULT GetDocument(IUnknown** document) const {
    if (!document) return E_POINTER;
    *document = m_document;
    if (!m_document) return E_FAIL;
    m_document->AddRef();
    return S_OK;
  }

 private:
  DocumentLink(IUnknown* document, bool holds) : m_document(document), m_holds(holds) {
    if (m_holds && m_document) m_document->AddRef();
  }

  IUnknown* m_document;
  bool m_holds;
};

}  // namespace PendrelHost
