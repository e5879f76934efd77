#include "plotengine/local_page.h"

#include <mutex>

#include "plotengine/scripts/script_sets.h"

namespace Quor {
namespace {

std::string MakeLocalPage() {
  std::string scripts;
  unsigned flags = 0;
  ParseScriptSetName("etch_local.js", flags);
  AssembleScriptSet(flags, scripts);
  std::string page = "<!doctype html><html> <head>  <script type='text/javascript'>";
  page += scripts;
  page +=
      "  </script>  <style type=\"text/css\">   body { margin: 0px; padding: 0px; }   div { "
      "position: absolute; width: 100%; height: 100%; }  </style> </head> <body>  <div id=\"";
  page += kLocalPageContainerId;
  page += "\">  </div> </body></html>";
  return page;
}

}  // namespace

std::string BuildLocalPage() {
  // The browser may ask for the page on its own thread while a plot window asks on another.
  static std::once_flag built;
  static std::string page;
  std::call_once(built, [] { page = MakeLocalPage(); });
  return page;
}

}  // namespace Quor
