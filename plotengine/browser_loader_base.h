// Quor::BrowserLoaderBase: the resource loader that a browser asks for the URLs under one
// pseudo-URL prefix of the module. It prepares the URL (fragment cut off, "%20" read as a space)
// and leaves the serving to its subclass. Reference counted from 0; lives as long as the plot
// window or the browser holds it. Keeps no mutable state, so the browser may call it on its own
// thread.
#pragma once

#include "core/quor_string.h"
#include "platform/pendrel/browser_resource_loader.h"
#include "platform/win32/com_object.h"

namespace Quor {

class BrowserLoaderBase : public SimpleUnknownImp1<IQuorBrowserResourceLoader, 0> {
 public:
  HRESULT Load(IAutoQuorString* url, IAutoQuorString** mime, IQuorStreamReader** stream) override;

 protected:
  // `prefix` is kept in lower case.
  explicit BrowserLoaderBase(const String& prefix);

  // True with the MIME type and a reader (one reference for the caller) for a URL the loader
  // serves.
  virtual bool LoadResource(const String& url, String& mime, IQuorStreamReader** stream) = 0;

  // The part of `url` after the prefix, which must begin it exactly; an empty prefix takes the
  // whole URL.
  bool GetResourceName(const String& url, String& name) const;

  const String& Prefix() const { return m_prefix; }

 private:
  String m_prefix;
};

}  // namespace Quor
