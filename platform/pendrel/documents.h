// Module documents as the host hosts them: the document class objects the host creates them
// through, the document interface it drives them by, and the host's own objects behind each
// class and each document. The host creates one module document per host data document and
// class, asks it for its persistent parts, routes commands and messages to it, and releases it
// when the data document closes.
#pragma once

#include "core/iquor_string.h"
#include "platform/pendrel/class_registry.h"
#include "platform/win32/types.h"

// The form of a persistent part that GetPersistObject asks for: an IPersistStreamInit.
constexpr DWORD kPersistStreamKind = 2;

struct ICustomDocument : IUnknown {
  PLATFORM_INTERFACE_ID("b1c31d4b-1d86-4a45-9f7b-5d5e3a1c64a0");
  using Base = IUnknown;
  // Frees a text already in `name`; an empty name leaves it null.
  virtual HRESULT GetName(BSTR* name) = 0;
  virtual HRESULT GetEnabled(VARIANT_BOOL* enabled) = 0;
  // Called before the host's last release: the document lets go of what links it to the host.
  virtual HRESULT Close() = 0;
  virtual HRESULT GetExtra(IUnknown** extra) = 0;
  virtual HRESULT GetDocumentTag(DWORD* tag) = 0;
  virtual HRESULT GetFramework(IUnknown** framework) = 0;
  // The object that loads and saves persistent part `part` in the form `kind`; S_FALSE (or
  // E_NOTIMPL) and null when the document has no such part.
  virtual HRESULT GetPersistObject(DWORD part, DWORD kind, DWORD reserved, IUnknown** object,
                                   IUnknown** extra) = 0;

 protected:
  ~ICustomDocument() = default;
};

struct ICustomDocument2 : ICustomDocument {
  PLATFORM_INTERFACE_ID("6c8a1f57-21b3-4d0e-8a6e-f0f1d9e4b7c2");
  using Base = ICustomDocument;
  virtual HRESULT SetDocumentText(DWORD reserved, IQuorString* text) = 0;
  virtual HRESULT GetDocumentText(DWORD reserved, IQuorString** text) = 0;
  virtual HRESULT GetDocumentMode(DWORD* mode) = 0;
  virtual HRESULT SetDocumentMode(DWORD mode) = 0;
  // The host's data document changed state (loaded, saved, sampling).
  virtual HRESULT OnStateChange(DWORD state) = 0;
  virtual HRESULT OnHostNotice5(DWORD a, DWORD b, DWORD c, DWORD d, DWORD e) = 0;
  virtual HRESULT OnHostNotice2(DWORD a, DWORD b) = 0;
  virtual HRESULT OnHostNotice2b(DWORD a, DWORD b) = 0;

 protected:
  ~ICustomDocument2() = default;
};

// A module's document class, as the host creates documents through it.
struct ICustomDocClass : ITarnClassObject {
  PLATFORM_INTERFACE_ID("2a0f5e6d-7c43-4b1a-9e35-0d6b8f2c1a94");
  using Base = ITarnClassObject;
  virtual HRESULT GetName(BSTR* name) = 0;
  virtual HRESULT GetFlags(DWORD* flags) = 0;
  // A new document over the host's document object, with one reference.
  virtual HRESULT CreateDocument(DWORD reserved1, IUnknown* hostDocument, IUnknown* argument,
                                 ICustomDocument2** document, DWORD reserved2) = 0;
  virtual HRESULT Reserved10() = 0;
  // The host initialises a class once before it creates documents through it.
  virtual HRESULT Initialise(DWORD argument) = 0;
  virtual HRESULT Terminate() = 0;
  virtual HRESULT GetDocumentGuid(const GUID** guid) = 0;

 protected:
  ~ICustomDocClass() = default;
};

// Host object type 0x80000012: makes the host's part of a module's document class. The part is
// aggregated in the class object (`outer`); `inner` receives its own IUnknown, through which the
// class object asks it for ITarnCommandHandler: it routes the class's commands to the class's
// document of the active data document.
struct IPendrelDocumentClassFactory : IUnknown {
  PLATFORM_INTERFACE_ID("5f3e0b2a-96c1-4d7f-b8e2-3a4c6d1e0f58");
  using Base = IUnknown;
  virtual HRESULT CreateInner(IUnknown* outer, DWORD argument, IUnknown** inner) = 0;

 protected:
  ~IPendrelDocumentClassFactory() = default;
};

// Host object type 0x80000011: the host's object behind one module document. It answers
// ITarnFrameworkNotice (notices to the document's observers), IMessageHandler (messages the
// document's own handlers leave), IObserver (the relay of the notices the document hears) and
// IPendrelHostDocument.
struct IPendrelDocumentSite : IUnknown {
  PLATFORM_INTERFACE_ID("c0d4e8a3-5b71-4f26-9a1d-7e2b3c4f5a60");
  using Base = IUnknown;
  virtual HRESULT Attach(IUnknown* parent, IUnknown* hostDocument) = 0;

 protected:
  ~IPendrelDocumentSite() = default;
};

// Hands a document's notices to the host framework, which relays them to the document's
// observers. `code` points at the notice's 32-bit code.
struct ITarnFrameworkNotice : IUnknown {
  PLATFORM_INTERFACE_ID("8e1b7a2c-4d35-49f6-b0c8-2f9a5d6e7c13");
  using Base = IUnknown;
  virtual HRESULT Notice(DWORD type, const DWORD* code) = 0;

 protected:
  ~ITarnFrameworkNotice() = default;
};

// The host's document as a document site sees it.
struct IPendrelHostDocument : IUnknown {
  PLATFORM_INTERFACE_ID("41a9c6e2-0b3d-4e58-8f17-6d2c9b0a3e74");
  using Base = IUnknown;
  // The value object the host keeps for the document (it answers IPendrelHostValue).
  virtual HRESULT GetHostValue(IUnknown** value) = 0;
  // The document's property object (it answers IPendrelPropertyService, and
  // IPendrelPersistMessages when the host keeps modules' state messages).
  virtual HRESULT GetPropertyObject(IUnknown** properties) = 0;

 protected:
  ~IPendrelHostDocument() = default;
};

struct IPendrelHostValue : IUnknown {
  PLATFORM_INTERFACE_ID("d7f20c3b-8a41-4e96-b5c2-1f0e3d9a6b85");
  using Base = IUnknown;
  // The host's frame window of the document (null while the host runs without windows).
  virtual HRESULT GetFrameWindow(HWND* window) = 0;

 protected:
  ~IPendrelHostValue() = default;
};
