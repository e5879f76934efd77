#include "platform/gdiplus/startup.h"

#include <mutex>
#include <set>

namespace {

struct Starts {
  std::mutex mutex;
  std::set<ULONG_PTR> tokens;
  ULONG_PTR next = 1;
};

Starts& TheStarts() {
  static auto* starts = new Starts;
  return *starts;
}

}  // namespace

namespace Gdiplus {

bool IsGdiplusRunning() {
  Starts& starts = TheStarts();
  std::lock_guard lock(starts.mutex);
  return !starts.tokens.empty();
}

}  // namespace Gdiplus

Gdiplus::Status GdiplusStartup(ULONG_PTR* token, const Gdiplus::GdiplusStartupInput* input,
                               Gdiplus::GdiplusStartupOutput* output) {
  if (!token || !input) return Gdiplus::InvalidParameter;
  if (input->GdiplusVersion != 1) return Gdiplus::UnsupportedGdiplusVersion;
  if (output) *output = {};
  Starts& starts = TheStarts();
  std::lock_guard lock(starts.mutex);
  *token = starts.next++;
  starts.tokens.insert(*token);
  return Gdiplus::Ok;
}

void GdiplusShutdown(ULONG_PTR token) {
  Starts& starts = TheStarts();
  std::lock_guard lock(starts.mutex);
  starts.tokens.erase(token);
}
