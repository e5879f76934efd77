// Each thread's message queue: posted messages (first in, first out), messages sent from other
// threads, timers and synthesised WM_PAINT. Retrieval takes, in this order, sent messages (they
// are dispatched at once and never returned), posted messages, the quit request, paint, timers.
//
// A send to a window of another thread blocks, but keeps dispatching messages that other threads
// send to the waiting thread, so two threads that send to each other both complete; a send that
// is not answered within the send timeout (30 s unless set) returns 0 with ERROR_TIMEOUT, and a
// send to a window that is gone, or whose thread has ended, fails at once.
//
// Timers and pauses read the process clock (platform/win32/clock.h): on a clock that only moves
// when told (a FixedClock), a pause moves it forward instead of waiting.
#pragma once

#include <functional>

#include "platform/win32/window_messages.h"

constexpr UINT PM_NOREMOVE = 0x0000;
constexpr UINT PM_REMOVE = 0x0001;

// Retrieval filters: a null window takes messages of every window of the thread and thread
// messages; (HWND)-1 takes thread messages only. A zero range takes every message number.
BOOL GetMessageW(MSG* message, HWND window, UINT first, UINT last);
BOOL PeekMessageW(MSG* message, HWND window, UINT first, UINT last, UINT removal);
LRESULT DispatchMessageW(const MSG* message);
BOOL TranslateMessage(const MSG* message);
BOOL PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostThreadMessageW(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);
LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Whether the message being handled came from another thread's SendMessageW.
BOOL InSendMessage();
BOOL ReplyMessage(LRESULT result);
DWORD GetCurrentThreadId();
DWORD GetMessageTime();
BOOL GetInputState();

// Timers: a window timer keeps its id; a timer without a window gets a fresh id. A due timer
// yields one WM_TIMER however many periods passed while it was unread.
UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapseMs, TIMERPROC procedure);
BOOL KillTimer(HWND window, UINT_PTR id);

// Pauses the calling thread on the process clock.
void Sleep(DWORD milliseconds);

constexpr DWORD INFINITE = 0xFFFFFFFF;

namespace win32 {

// The thread that sent the message being handled, 0 when it was not sent from another thread.
DWORD SenderThreadOfCurrentMessage();

// How long a cross-thread send waits for its answer; returns the previous value.
DWORD SetSendTimeout(DWORD milliseconds);

// The one blocking wait of the process: until `ready` answers true or the timeout passes (on
// real time), dispatching the messages other threads send to the caller meanwhile. Returns
// whether `ready` answered true. `ready` runs on the caller's thread without any lock held.
bool WaitDispatchingSentMessages(const std::function<bool()>& ready, DWORD timeoutMs);

// Wakes a thread waiting in WaitDispatchingSentMessages or GetMessageW so it checks again.
void WakeThread(DWORD threadId);

// Pauses on the process clock until `milliseconds` have passed on it.
void Pause(DWORD milliseconds);

}  // namespace win32
