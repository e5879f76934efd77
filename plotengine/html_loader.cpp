#include "plotengine/html_loader.h"

#include "plotengine/html_string_reader.h"

namespace Quor {

HtmlLoader::HtmlLoader(const String& html) : BrowserLoaderBase(kEtchHtmlPrefix), m_html(html) {}

bool HtmlLoader::LoadResource(const String& url, String& mime, IQuorStreamReader** stream) {
  if (url != Prefix()) return false;
  *stream = new HtmlStringReader(m_html);
  (*stream)->AddRef();
  mime = u"text/html";
  return true;
}

}  // namespace Quor
