#include "controls/gdiplus_starter.h"

#include <memory>

namespace {

// Destroyed with the module's other statics when it unloads.
std::unique_ptr<GdiplusStarter>& TheStarter() {
  static std::unique_ptr<GdiplusStarter> starter;
  return starter;
}

}  // namespace

// The status is not examined: a failed start leaves drawing calls to report
// GdiplusNotInitialized themselves.
GdiplusStarter::GdiplusStarter() { GdiplusStartup(&m_token, &m_input, nullptr); }

GdiplusStarter::~GdiplusStarter() { GdiplusShutdown(m_token); }

void EnsureGdiplusStarter() {
  if (!TheStarter()) TheStarter() = std::make_unique<GdiplusStarter>();
}

void ReleaseGdiplusStarter() { TheStarter().reset(); }
