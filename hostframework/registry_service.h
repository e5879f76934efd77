// A host service made by the class registry on first use and kept, with one reference, for the
// life of the module. A service the host cannot make is asked for again next time.
#pragma once

#include <atomic>

#include "hostframework/host_services.h"
#include "platform/win32/critical_section.h"

template <class I>
class RegistryService {
 public:
  using TypeOf = DWORD (*)();

  explicit RegistryService(TypeOf type) : m_type(type) {
    InitializeCriticalSectionAndSpinCount(&m_section, 4000);
  }
  ~RegistryService() { DeleteCriticalSection(&m_section); }
  RegistryService(const RegistryService&) = delete;
  RegistryService& operator=(const RegistryService&) = delete;

  I* Get() {
    if (I* cached = m_service.load(std::memory_order_acquire)) return cached;
    win32::CriticalSectionLock lock(m_section);
    if (!m_service.load(std::memory_order_relaxed)) {
      if (ITarnClassRegistry* registry = GetTarnClassRegistry()) {
        I* service = nullptr;
        if (SUCCEEDED(registry->CreateObject(m_type(), I::iid, reinterpret_cast<void**>(&service)))) {
          m_service.store(service, std::memory_order_release);
        }
      }
    }
    return m_service.load(std::memory_order_relaxed);
  }

 private:
  TypeOf m_type;
  CRITICAL_SECTION m_section;
  std::atomic<I*> m_service{nullptr};
};
