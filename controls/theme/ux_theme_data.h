// One theme handle of one window and theme class, opened on first use and closed by Close or
// with the holder. A window keeps one holder per class it draws with and closes them when the
// theme or the system colours change, so the next paint opens them again.
#pragma once

#include "core/quor_string.h"
#include "platform/win32/visual_styles.h"

class UxThemeData {
 public:
  UxThemeData(HWND owner, const Quor::String& className) : m_owner(owner), m_className(className) {}
  ~UxThemeData();
  UxThemeData(const UxThemeData&) = delete;
  UxThemeData& operator=(const UxThemeData&) = delete;

  // The handle, opened now when it is not yet; throws XQuor when the class cannot be opened.
  HTHEME Get();
  // Closes the handle when one is held; throws XQuor when closing fails.
  void Close();
  bool IsOpen() const { return m_theme != nullptr; }
  const Quor::String& ClassName() const { return m_className; }

 private:
  HWND m_owner;
  Quor::String m_className;
  HTHEME m_theme = nullptr;
};
