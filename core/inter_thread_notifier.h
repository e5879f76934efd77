// Carries a call from any thread to the thread that made an object. The object derives from
// InterThreadNotifier, which owns a hidden window made on the constructing thread; Notify sends
// the window a message, the owner's callback runs on the window's thread, and its result comes
// back to the caller, who waits (dispatching what is sent to it meanwhile, so two threads
// notifying each other do not deadlock). The callback must not wait for the notifying thread.
#pragma once

#include "platform/win32/critical_section.h"
#include "platform/win32/window.h"

namespace Quor {

struct QuorInterThreadNotifierStableInterface {
  // Runs on the notifier window's thread. The parameters are pointer-sized, so that a caller
  // can pass the address of a call record.
  virtual LRESULT OnNotify(WPARAM first, LPARAM second) = 0;

 protected:
  ~QuorInterThreadNotifierStableInterface() = default;
};

// The hidden pop-up window behind a notifier; it lives on the thread that made it.
class QuorInterThreadNotifierImpl {
 public:
  static constexpr UINT kNotify = WM_USER + 1;
  static constexpr UINT kClose = WM_USER + 2;

  explicit QuorInterThreadNotifierImpl(QuorInterThreadNotifierStableInterface* owner);
  QuorInterThreadNotifierImpl(const QuorInterThreadNotifierImpl&) = delete;
  QuorInterThreadNotifierImpl& operator=(const QuorInterThreadNotifierImpl&) = delete;
  virtual ~QuorInterThreadNotifierImpl();

  // Handles the notify and close messages of message map 0; false: default processing.
  virtual BOOL ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                    LRESULT& result, DWORD mapId);
  virtual WNDPROC GetWindowProc();
  virtual void OnFinalMessage(HWND) {}

  HWND Handle() const { return m_window; }

 private:
  static LRESULT StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND m_window = nullptr;
  WNDPROC m_defaultProc = DefWindowProcW;
  QuorInterThreadNotifierStableInterface* m_owner;
};

class InterThreadNotifier : public QuorInterThreadNotifierStableInterface {
 public:
  InterThreadNotifier();
  InterThreadNotifier(const InterThreadNotifier&) = delete;
  InterThreadNotifier& operator=(const InterThreadNotifier&) = delete;
  // Closes the window on its own thread before the window object goes.
  virtual ~InterThreadNotifier();

  // Runs OnNotify(first, second) on the notifier's thread and returns its result; 0 when the
  // window is gone or the send timed out.
  LRESULT Notify(WPARAM first, LPARAM second);
  HWND WindowHandle() const { return m_impl ? m_impl->Handle() : nullptr; }

 private:
  QuorInterThreadNotifierImpl* m_impl;
};

}  // namespace Quor

// A lock holder that can leave its critical section before the end of its scope.
class CritSecLock {
 public:
  explicit CritSecLock(CRITICAL_SECTION* section) : m_section(section) {
    if (m_section) EnterCriticalSection(m_section);
  }
  CritSecLock(const CritSecLock&) = delete;
  CritSecLock& operator=(const CritSecLock&) = delete;
  ~CritSecLock() { Unlock(); }
  // Leaves the section and forgets it; nothing when it holds none.
  void Unlock() {
    if (!m_section) return;
    LeaveCriticalSection(m_section);
    m_section = nullptr;
  }

 private:
  CRITICAL_SECTION* m_section;
};
