// Critical sections: recursive locks owned by the thread that entered them.
#pragma once

#include <pthread.h>

#include "platform/win32/types.h"

struct CRITICAL_SECTION {
  pthread_mutex_t mutex;
  DWORD spinCount;
};
using LPCRITICAL_SECTION = CRITICAL_SECTION*;

void InitializeCriticalSection(LPCRITICAL_SECTION section);
BOOL InitializeCriticalSectionAndSpinCount(LPCRITICAL_SECTION section, DWORD spinCount);
void EnterCriticalSection(LPCRITICAL_SECTION section);
BOOL TryEnterCriticalSection(LPCRITICAL_SECTION section);
void LeaveCriticalSection(LPCRITICAL_SECTION section);
void DeleteCriticalSection(LPCRITICAL_SECTION section);

namespace win32 {

// Holds a critical section for the life of a scope.
class CriticalSectionLock {
 public:
  explicit CriticalSectionLock(CRITICAL_SECTION& section) : m_section(section) {
    EnterCriticalSection(&m_section);
  }
  ~CriticalSectionLock() { LeaveCriticalSection(&m_section); }
  CriticalSectionLock(const CriticalSectionLock&) = delete;
  CriticalSectionLock& operator=(const CriticalSectionLock&) = delete;

 private:
  CRITICAL_SECTION& m_section;
};

}  // namespace win32
