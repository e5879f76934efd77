#include "host/browser/browser_launch.h"

#include <unistd.h>

#include <cstdlib>

#include "host/browser/answer_proxy.h"

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

std::vector<std::string> BrowserCommandLine(const std::string& binary, const std::string& profile,
                                            int proxyPort) {
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
      // resolves nowhere and goes to our own proxy, which serves only held answers.
      "--proxy-server=" + std::string(kProxyAddress) + ":" + std::to_string(proxyPort),
      "--proxy-bypass-list=<-loopback>",
      "--host-resolver-rules=MAP * ~NOTFOUND, EXCLUDE " + std::string(kProxyAddress),
      "about:blank",
  };
  // The browser refuses to run as root inside its sandbox.
  if (geteuid() == 0) line.insert(line.begin() + 1, "--no-sandbox");
  return line;
}

}  // namespace PendrelBrowser
