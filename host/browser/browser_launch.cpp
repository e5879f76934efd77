#include "host/browser/browser_launch.h"

#include <unistd.h>

#include <cstdlib>

namespace PendrelBrowser {

std::string BrowserBinary() {
  if (const char* named = std::getenv("PENDREL_BROWSER"); named && *named) {
    return access(named, X_OK) == 0 ? named : "";
  }
  for (const char* candidate : {"/usr/bin/chromium-headless-shell", "/usr/bin/chromium"}) {
    if (access(candidate, X_OK) == 0) return candidate;
  }
  return "";
}

std::vector<std::string> BrowserCommandLine(const std::string& binary, const std::string& profile) {
  std::vector<std::string> line = {
      binary,
      "--headless",
      "--remote-debugging-pipe",
      "--user-data-dir=" + profile,
      // Plots are measured in CSS pixels: one device pixel each, whatever the screen.
      "--force-device-scale-factor=1",
      "--disable-gpu",
      "--no-first-run",
      "--no-default-browser-check",
      "--disable-background-networking",
      "--disable-component-update",
      "--disable-sync",
      "--disable-extensions",
      "--mute-audio",
      // Everything a page asks for is answered through interception; whatever escapes it
      // resolves nowhere and is sent to a closed port.
      "--proxy-server=127.0.0.1:9",
      "--proxy-bypass-list=<-loopback>",
      "--host-resolver-rules=MAP * ~NOTFOUND",
      "about:blank",
  };
  // The browser refuses to run as root inside its sandbox.
  if (geteuid() == 0) line.insert(line.begin() + 1, "--no-sandbox");
  return line;
}

}  // namespace PendrelBrowser
