#include "host/browser/browser_settings.h"

#include <atomic>
#include <mutex>
#include <utility>

#include "host/browser/devtools_connection.h"

namespace PendrelBrowser {

namespace {

std::atomic<DWORD> timeoutMs{20'000};

struct PageErrors {
  std::mutex mutex;
  std::vector<std::string> texts;
};

PageErrors& ThePageErrors() {
  static PageErrors errors;
  return errors;
}

}  // namespace

DWORD SetBrowserTimeout(DWORD milliseconds) { return timeoutMs.exchange(milliseconds); }
DWORD BrowserTimeout() { return timeoutMs; }

std::vector<std::string> TakePageErrors() {
  PageErrors& errors = ThePageErrors();
  std::lock_guard lock(errors.mutex);
  return std::exchange(errors.texts, {});
}

void RecordPageError(std::string text) {
  PageErrors& errors = ThePageErrors();
  std::lock_guard lock(errors.mutex);
  errors.texts.push_back(std::move(text));
}

int BrowserProcessId() { return DevtoolsConnection::SharedProcessId(); }

}  // namespace PendrelBrowser
