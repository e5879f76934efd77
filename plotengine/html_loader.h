// Quor::HtmlLoader: serves one HTML text held in memory (the report's page) at exactly the HTML
// prefix "http://etch-html.invalid/". Made by the browser host for each page it shows; lives as
// long as the browser holds it.
#pragma once

#include "plotengine/browser_loader_base.h"

namespace Quor {

inline constexpr char16_t kEtchHtmlPrefix[] = u"http://etch-html.invalid/";

class HtmlLoader : public BrowserLoaderBase {
 public:
  explicit HtmlLoader(const String& html);

 protected:
  // Every request gets its own reader from the first byte, so a reload shows the whole page.
  bool LoadResource(const String& url, String& mime, IQuorStreamReader** stream) override;

 private:
  String m_html;
};

}  // namespace Quor
