// The GUI framework's application object: the process has at most one, made by the host.
#pragma once

#include <string>

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
  // The application's name, the caption of its message boxes; empty until the host names it.
  const std::u16string& GetName() const { return m_name; }
  void SetName(std::u16string name) { m_name = std::move(name); }

 private:
  LANGID m_language;
  HWND m_mainWindow = nullptr;
  std::u16string m_name;
};

// The application object of the process, or null when none exists.
TApplication* GetApplicationObject();

}  // namespace OWL
