// Quor::BrowserEtchLoader: serves the plot page's prefix "http://etch-plot.invalid/": the page
// "local.html", the embedded scripts and script sets, and the host's cursor and busy-indicator
// images. Made by the plot window, which holds it for its life; the browser holds it too.
#pragma once

#include "plotengine/browser_loader_base.h"

namespace Quor {

inline constexpr char16_t kEtchPlotPrefix[] = u"http://etch-plot.invalid/";

class BrowserEtchLoader : public BrowserLoaderBase {
 public:
  BrowserEtchLoader();

 protected:
  bool LoadResource(const String& url, String& mime, IQuorStreamReader** stream) override;
};

}  // namespace Quor
