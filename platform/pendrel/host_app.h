// The host application object.
#pragma once

#include "core/iquor_string.h"
#include "platform/win32/unknown.h"

using COLORREF = DWORD;

struct ITarnApplicationSettings : IUnknown {
  PLATFORM_INTERFACE_ID("8c7b40bb-e283-49c7-8c0d-74e9651c43c0");
  using Base = IUnknown;
  virtual HRESULT GetBoolValue(IQuorString* key, BOOL defaultValue, BOOL* value) = 0;
  virtual HRESULT SetBoolValue(IQuorString* key, BOOL value) = 0;

 protected:
  ~ITarnApplicationSettings() = default;
};

// Gives the colour of a channel's trace.
struct ITarnColourSource : IUnknown {
  PLATFORM_INTERFACE_ID("a4e5ea61-2589-4999-aab8-4e77e1c2f183");
  using Base = IUnknown;
  virtual HRESULT GetChannelColour(LONG channel, COLORREF* colour) = 0;

 protected:
  ~ITarnColourSource() = default;
};

struct ITarnHostApp : IUnknown {
  PLATFORM_INTERFACE_ID("9078a504-e2a8-4285-b9c7-8c86988aa470");
  using Base = IUnknown;
  virtual HRESULT GetApplicationSettings(ITarnApplicationSettings** settings) = 0;
  // The first word is 0 while the application runs normally (not starting, closing or
  // automated).
  virtual HRESULT GetRunState(DWORD* state, DWORD* detail) = 0;
  // Shows a notice to the user (the pre-release notice, for one).
  virtual HRESULT ShowNotice(DWORD kind, IQuorString* text) = 0;
  virtual HRESULT GetUserInterfaceLanguage(WORD* language) = 0;
  virtual HRESULT GetMainWindow(HWND* window) = 0;
  virtual HRESULT GetColourSource(ITarnColourSource** source) = 0;
  // Shows a message box (text, caption, MB_ style, help context) and gives the button pressed.
  virtual HRESULT ShowMessageBox(IQuorString* text, IQuorString* caption, UINT style,
                                 DWORD helpContext, int* answer) = 0;
  // The text of the status line; null clears it.
  virtual HRESULT SetStatusText(IQuorString* text) = 0;
  // Opens a topic of a help file.
  virtual HRESULT ShowHelp(IQuorString* topic, IQuorString* helpFile) = 0;

 protected:
  ~ITarnHostApp() = default;
};
