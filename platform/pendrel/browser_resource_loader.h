// The resource loader that the host's browser component asks for every URL a page loads under
// a pseudo-URL prefix of the module. The browser holds the loader it was given until the page
// or the browser goes; it may call Load on its own thread.
#pragma once

#include "core/iquor_string.h"
#include "platform/pendrel/stream_reader.h"

struct IQuorBrowserResourceLoader : IUnknown {
  PLATFORM_INTERFACE_ID("0d1c3e8a-5b7f-4c2e-9a61-3f8e2b4d7c15");
  using Base = IUnknown;
  // The MIME type and a reader over the bytes of `url`, one reference each for the caller.
  // E_FAIL for a URL the loader does not serve, E_INVALIDARG for a null argument.
  virtual HRESULT Load(IAutoQuorString* url, IAutoQuorString** mime,
                       IQuorStreamReader** stream) = 0;

 protected:
  ~IQuorBrowserResourceLoader() = default;
};
