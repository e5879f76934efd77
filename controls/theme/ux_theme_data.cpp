#include "controls/theme/ux_theme_data.h"

#include "controls/theme/ux_theme_dll.h"
#include "core/xquor.h"

UxThemeData::~UxThemeData() {
  if (m_theme) QuorLinkingUtils::CloseThemeData(m_theme);
}

HTHEME UxThemeData::Get() {
  if (!m_theme) {
    m_theme = QuorLinkingUtils::OpenThemeData(m_owner, m_className.c_str());
    if (!m_theme) {
      Quor::String message(u"Could not open theme data for the given class: ");
      message += m_className;
      message += u".";
      throw XQuor(message, kXQuorMessageIsReport);
    }
  }
  return m_theme;
}

void UxThemeData::Close() {
  if (!m_theme) return;
  const HRESULT result = QuorLinkingUtils::CloseThemeData(m_theme);
  m_theme = nullptr;
  if (result != S_OK) throw XQuor(Quor::String(u"Failed to close theme data."), kXQuorMessageIsReport);
}
