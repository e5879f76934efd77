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

 private:
  LANGID m_language;
};

// The application object of the process, or null when none exists.
TApplication* GetApplicationObject();

}  // namespace OWL
