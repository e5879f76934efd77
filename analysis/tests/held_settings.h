// Settings with one reference, released at the end of the test.
#pragma once

#include "analysis/settings/settings.h"

namespace RhythTest {

struct HeldSettings {
  HeldSettings() : settings(new Rhyth::Settings) { settings->AddRef(); }
  // Takes over the reference the caller holds.
  explicit HeldSettings(Rhyth::Settings* adopted) : settings(adopted) {}
  HeldSettings(const HeldSettings&) = delete;
  HeldSettings& operator=(const HeldSettings&) = delete;
  ~HeldSettings() { settings->Release(); }
  Rhyth::Settings* operator->() const { return settings; }
  Rhyth::Settings& operator*() const { return *settings; }
  Rhyth::Settings* settings;
};

}  // namespace RhythTest
