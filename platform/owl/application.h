// The GUI framework's application object: the process has at most one, made by the host.
#pragma once

#include "platform/win32/types.h"

namespace OWL {

class TApplication {
 public:
  explicit TApplication(LANGID language = 0);
  ~TApplication();
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;

  LANGID GetLangId() const { return m_language; }
  void SetLangId(LANGID language) { m_language = language; }
  // The application's main window (the host's frame); null until the host names one.
  HWND GetMainWindowHandle() const { return m_mainWindow; }
  void SetMainWindowHandle(HWND window) { m_mainWindow = window; }

 private:
  LANGID m_language;
  HWND m_mainWindow = nullptr;
};

// The application object of the process, or null when none exists.
TApplication* GetApplicationObject();

}  // namespace OWL
