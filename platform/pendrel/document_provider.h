// The documents a host data source gives out: the document it shows (which a preview shows
// too), and a new empty document for a preview to sample into. The new document keeps a scratch
// storage handed to it (and alone keeps it: the giver releases its reference) and offers its
// sampling target, IPendrelSamplingSink (platform/pendrel/device_sampling.h), which a sampling
// device fills. Both interfaces are reached by QueryInterface on a data document.
#pragma once

#include "platform/win32/storage.h"

// Flag words of IPendrelDocumentProvider::GetDocument.
constexpr DWORD kProvideShownDocument = 0xC0000000;
constexpr DWORD kProvideNewDocument = 0;

struct IPendrelDocumentProvider : IUnknown {
  PLATFORM_INTERFACE_ID("fe5f39a8-fa4f-4217-bfce-ed232af5d7a8");
  using Base = IUnknown;
  // A document with one reference: the shown one for kProvideShownDocument, a new empty one
  // laid out for the same channels for kProvideNewDocument; E_INVALIDARG for other flags.
  virtual HRESULT GetDocument(DWORD flags, IUnknown** document) = 0;

 protected:
  ~IPendrelDocumentProvider() = default;
};

// The storage a document keeps its data in. The document holds a reference on the storage for
// its life (a scratch compound file goes when its last reference goes).
struct IPendrelDocumentStorage : IUnknown {
  PLATFORM_INTERFACE_ID("eac47ab1-58a4-4d97-b067-9202c343f100");
  using Base = IUnknown;
  // `reserved` is 0; a storage given before is released.
  virtual HRESULT SetStorage(DWORD reserved, IStorage* storage) = 0;

 protected:
  ~IPendrelDocumentStorage() = default;
};
