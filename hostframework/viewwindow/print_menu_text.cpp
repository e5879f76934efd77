#include "hostframework/viewwindow/print_menu_text.h"

#include "hostframework/host_services.h"

namespace {

// The primary language of the host's user interface; English when the host does not say.
WORD HostPrimaryLanguage() {
  WORD language = LANG_ENGLISH;
  if (ITarnHostApp* host = GetTarnHostApp(); host && FAILED(host->GetUserInterfaceLanguage(&language)))
    language = LANG_ENGLISH;
  return PRIMARYLANGID(language);
}

}  // namespace

Quor::String LocalisedPrintMenuText(const Quor::String& text) {
  static const Quor::String english(u"&Print");
  static const Quor::String spanish(u"&Imprimir");
  if (HostPrimaryLanguage() != LANG_SPANISH) return text;
  if (text.Length() < english.Length() || text.Mid(0, english.Length()) != english) return text;
  Quor::String localised(spanish);
  localised += text.Mid(english.Length(), text.Length());
  return localised;
}
