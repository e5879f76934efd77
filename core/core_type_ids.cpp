#include "core/core_type_ids.h"

#include <atomic>

namespace Quor {

namespace {

constexpr int kNotAsked = -1;

std::atomic<CoreTypeIdBaseProvider> g_provider{nullptr};
std::atomic<int> g_base{kNotAsked};

WORD CoreTypeIdBase() {
  const int kept = g_base.load();
  if (kept != kNotAsked) return static_cast<WORD>(kept);
  const CoreTypeIdBaseProvider provider = g_provider.load();
  if (!provider) return 0;
  const WORD base = provider();
  g_base.store(base);
  return base;
}

}  // namespace

void SetCoreTypeIdBaseProvider(CoreTypeIdBaseProvider provider) {
  g_provider.store(provider);
  g_base.store(kNotAsked);
}

DWORD CoreTypeId(DWORD n) { return DWORD(CoreTypeIdBase()) << 16 | n; }

}  // namespace Quor
