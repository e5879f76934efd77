// What a module's view window asks of the host about itself. The host's object for one open
// view (its site) gives the key of the document the view shows and the title the host keeps for
// the view; the host's data document gives the printing of the document's views. The host owns
// these objects; a view window holds them while it lives. Also the ids of the view commands and
// host messages every view window answers.
#pragma once

#include "core/iquor_string.h"
#include "platform/win32/unknown.h"

// Command-state queries the host makes of the active view for its Edit and File menus.
constexpr DWORD kViewCommandPrint = 0x80170000;
constexpr DWORD kViewCommandThird = 0x80170001;
constexpr DWORD kViewCommandCopy = 0x80170004;

// Messages the host sends to the active view.
constexpr DWORD kHostMessageCopy = 0x80010008;
constexpr DWORD kHostMessagePrint = 0x8001000B;
constexpr DWORD kHostMessagePrintSetup = 0x8001000D;

// The host's side of one open view.
struct ITarnHostView : IUnknown {
  PLATFORM_INTERFACE_ID("0d6b2f4e-93a1-4c57-8e20-b5f17c3a9d64");
  using Base = IUnknown;
  // The key of the document the view shows: the first word of the view's key pair.
  virtual HRESULT GetDocumentKey(DWORD* key) = 0;
  // The title the host shows for the view; null when it has none.
  virtual HRESULT GetViewTitle(IQuorString** title) = 0;

 protected:
  ~ITarnHostView() = default;
};

// The printing of a document's views: whether the host can print now, and the host's print
// setup (the choice of printer and page), which a view runs on the host's message.
struct IPendrelViewPrinting : IUnknown {
  PLATFORM_INTERFACE_ID("6a3e1c97-2b5d-4f08-a4c6-d9e07b13f285");
  using Base = IUnknown;
  // A nonzero word when the host can print.
  virtual HRESULT CanPrint(DWORD* canPrint) = 0;
  virtual HRESULT PrintSetup() = 0;

 protected:
  ~IPendrelViewPrinting() = default;
};
