#include "platform/win32/window_table.h"

#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <map>

#include "platform/win32/clock.h"
#include "platform/win32/hresult.h"
#include "platform/win32/message_queue.h"

namespace win32::detail {
namespace {

struct Slot {
  std::unique_ptr<Window> window;
  WORD generation = 1;
};

// Never destroyed: threads may end after static destructors began.
struct Table {
  std::mutex mutex;
  std::vector<Slot> slots;
  std::vector<std::size_t> freeSlots;  // most recently freed last, so a slot is reused soon
  std::vector<HWND> topLevelOrder;
  std::map<std::u16string, std::shared_ptr<WindowClass>> classes;
  std::map<DWORD, std::unique_ptr<ThreadQueue>> queues;
  WORD nextAtom = 0xC000;
};

Table& TheTable() {
  static Table* table = new Table;
  return *table;
}

std::u16string FoldedName(const std::u16string& name) {
  std::u16string folded = name;
  for (auto& c : folded)
    if (c >= u'A' && c <= u'Z') c = char16_t(c - u'A' + u'a');
  return folded;
}

std::size_t SlotIndex(HWND handle) { return (reinterpret_cast<std::uintptr_t>(handle) & 0xFFFF) - 1; }
WORD Generation(HWND handle) { return WORD(reinterpret_cast<std::uintptr_t>(handle) >> 16); }

// Ends the thread's queue when the thread ends.
struct QueueOwner {
  DWORD threadId = 0;
  ~QueueOwner() {
    if (!threadId) return;
    Table& table = TheTable();
    std::lock_guard lock(table.mutex);
    auto it = table.queues.find(threadId);
    if (it == table.queues.end()) return;
    ThreadQueue& queue = *it->second;
    queue.alive = false;
    for (auto& call : queue.inbox) {
      call->failed = call->done = true;
      if (call->senderWake) call->senderWake->notify_all();
    }
    for (Window* window : AllWindowsLocked())
      if (window->threadId == threadId) FreeWindowLocked(window->handle);
    table.queues.erase(it);
  }
};

thread_local QueueOwner queueOwner;

}  // namespace

std::mutex& TableMutex() { return TheTable().mutex; }

Window* FindWindowLocked(HWND handle) {
  if (!handle) return nullptr;
  Table& table = TheTable();
  const std::size_t index = SlotIndex(handle);
  if (index >= table.slots.size()) return nullptr;
  Slot& slot = table.slots[index];
  if (!slot.window || slot.generation != Generation(handle)) return nullptr;
  return slot.window.get();
}

std::vector<Window*> AllWindowsLocked() {
  std::vector<Window*> windows;
  for (Slot& slot : TheTable().slots)
    if (slot.window) windows.push_back(slot.window.get());
  return windows;
}

std::vector<HWND>& TopLevelOrderLocked() { return TheTable().topLevelOrder; }

HWND AllocateWindowLocked(std::unique_ptr<Window> window) {
  Table& table = TheTable();
  std::size_t index;
  if (!table.freeSlots.empty()) {
    index = table.freeSlots.back();
    table.freeSlots.pop_back();
  } else {
    if (table.slots.size() >= 0xFFFF) return nullptr;
    index = table.slots.size();
    table.slots.emplace_back();
  }
  Slot& slot = table.slots[index];
  const HWND handle =
      reinterpret_cast<HWND>((std::uintptr_t(slot.generation) << 16) | std::uintptr_t(index + 1));
  window->handle = handle;
  slot.window = std::move(window);
  return handle;
}

void FreeWindowLocked(HWND handle) {
  Window* window = FindWindowLocked(handle);
  if (!window) return;
  Table& table = TheTable();
  if (Window* parent = FindWindowLocked(window->parent)) std::erase(parent->children, handle);
  std::erase(table.topLevelOrder, handle);
  if (ThreadQueue* queue = QueueOfThreadLocked(window->threadId)) {
    std::erase_if(queue->timers, [&](const Timer& t) { return t.window == handle; });
    std::erase_if(queue->posted, [&](const MSG& m) { return m.hwnd == handle; });
    if (queue->focus == handle) queue->focus = nullptr;
    if (queue->active == handle) queue->active = nullptr;
    if (queue->capture == handle) queue->capture = nullptr;
  }
  const std::size_t index = SlotIndex(handle);
  Slot& slot = table.slots[index];
  slot.window.reset();
  // Generation 0 is never used, so no handle value is 0 in its upper half.
  slot.generation = WORD(slot.generation == 0xFFFF ? 1 : slot.generation + 1);
  table.freeSlots.push_back(index);
}

std::shared_ptr<const WindowClass> FindClassLocked(const std::u16string& name) {
  auto& classes = TheTable().classes;
  auto it = classes.find(FoldedName(name));
  return it == classes.end() ? nullptr : it->second;
}

bool AddClassLocked(std::shared_ptr<WindowClass> windowClass) {
  Table& table = TheTable();
  const std::u16string key = FoldedName(windowClass->name);
  if (table.classes.count(key)) return false;
  windowClass->atom = table.nextAtom++;
  table.classes[key] = std::move(windowClass);
  return true;
}

bool RemoveClassLocked(const std::u16string& name) {
  return TheTable().classes.erase(FoldedName(name)) > 0;
}

ThreadQueue& CurrentQueueLocked() {
  Table& table = TheTable();
  const DWORD id = GetCurrentThreadId();
  auto& queue = table.queues[id];
  if (!queue) {
    queue = std::make_unique<ThreadQueue>();
    queue->threadId = id;
    queueOwner.threadId = id;
  }
  return *queue;
}

ThreadQueue* QueueOfThreadLocked(DWORD threadId) {
  auto& queues = TheTable().queues;
  auto it = queues.find(threadId);
  return it == queues.end() ? nullptr : it->second.get();
}

ULONGLONG ClockMilliseconds() { return CurrentClock()->MonotonicNanoseconds() / 1'000'000; }

LRESULT CallProcedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  WNDPROC procedure;
  {
    std::lock_guard lock(TableMutex());
    Window* window = FindWindowLocked(handle);
    if (!window) return 0;
    procedure = window->procedure;
  }
  return procedure ? procedure(handle, message, wParam, lParam)
                   : DefWindowProcW(handle, message, wParam, lParam);
}

int BorderWidth(DWORD style) { return (style & WS_BORDER) ? 1 : 0; }

RECT WindowScreenRectLocked(const Window& window) {
  RECT rect = window.rect;
  if (const Window* parent = FindWindowLocked(window.parent)) {
    const POINT origin = ClientOriginLocked(*parent);
    OffsetRect(&rect, origin.x, origin.y);
  }
  return rect;
}

POINT ClientOriginLocked(const Window& window) {
  const RECT rect = WindowScreenRectLocked(window);
  const int border = BorderWidth(window.style);
  return {rect.left + border, rect.top + border};
}

}  // namespace win32::detail

DWORD GetCurrentThreadId() {
  thread_local const DWORD id = DWORD(syscall(SYS_gettid));
  return id;
}
