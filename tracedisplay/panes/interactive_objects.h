// Interactive objects shown over a data pane's traces (draggable markers and the like), and the
// container the data pane keeps them in: two maps in ascending key order, every object and the
// objects that also handle the mouse. Each entry holds one reference. The container hands every
// pane event to the objects; while one object keeps the mouse, only objects of its identity get
// mouse events.
#pragma once

#include <functional>
#include <map>

#include "core/bin_istream.h"
#include "core/bin_ostream.h"
#include "platform/win32/geometry.h"
#include "platform/win32/unknown.h"

// Pane events an interactive object hears through OnPaneEvent.
enum class PaneEvent : DWORD {
  WindowAttached = 1,
  DataView,
  LaneAdded,
  LaneRemoved,
  LaneCount,
  LaneRect,
  ViewMoved,
  ScrollBegin,
  ScrollEnd,
  Invalidate,
  PrepareToPaint,
  Paint,
  Forwarded,
  Broadcast,
  Settings,
  RecordStart,
  DataChanged,
  TimedRefresh,
  DoubleClick,   // a: client point, b: keys, c: BOOL* set when an object took it
  RightButton,   // a: TRUE down, FALSE up; b: client point; c: keys
  MouseLeave,
  Timer,         // a: the timer id
  Notify,        // a: the control id, b: the NMHDR*
};

struct IPendrelInteractiveObject : IUnknown {
  PLATFORM_INTERFACE_ID("f3a0c8e5-19b4-4d72-a6e0-84c5d2b19f37");
  using Base = IUnknown;
  virtual HRESULT OnSize(LONG width, LONG height) = 0;
  virtual HRESULT OnScaleChanged(LONG lane, LONG axis) = 0;
  virtual HRESULT LoadState(Quor::BinIStream* stream) = 0;
  virtual HRESULT SaveState(Quor::BinOStream* stream) = 0;
  virtual HRESULT OnPaneEvent(PaneEvent event, LONG_PTR a, LONG_PTR b, LONG_PTR c) = 0;

 protected:
  ~IPendrelInteractiveObject() = default;
};

// The mouse face of an interactive object.
struct IPendrelMouseInteraction : IUnknown {
  PLATFORM_INTERFACE_ID("0b7e4d19-a2c6-4f58-93e1-5d86f0a2c4b7");
  using Base = IUnknown;
  // Phase 1 left button down, 2 mouse move, 3 left button up.
  virtual HRESULT OnMouse(LONG phase, POINT point, DWORD keys) = 0;
  // S_OK when the object lets go of the mouse in this phase, S_FALSE when it keeps it.
  virtual HRESULT LetsGo(LONG phase) = 0;
  virtual DWORD Identity() = 0;

 protected:
  ~IPendrelMouseInteraction() = default;
};

namespace PendrelDraw {

class InteractiveObjectContainer {
 public:
  InteractiveObjectContainer() = default;
  InteractiveObjectContainer(const InteractiveObjectContainer&) = delete;
  InteractiveObjectContainer& operator=(const InteractiveObjectContainer&) = delete;
  virtual ~InteractiveObjectContainer();

  // A key already in use keeps its object.
  virtual void AddObject(IPendrelInteractiveObject* object, DWORD key);
  virtual void AddObjectAndRelease(IPendrelInteractiveObject* object, DWORD key);

  // Every object, in key order.
  void Broadcast(const std::function<void(IPendrelInteractiveObject*)>& call) const;
  void BroadcastEvent(PaneEvent event, LONG_PTR a = 0, LONG_PTR b = 0, LONG_PTR c = 0) const;
  // A mouse event: to the capturing object's identity only, while one keeps the mouse.
  void MouseBroadcast(LONG phase, POINT point, DWORD keys) const;
  // True when every object lets go in this phase; otherwise false and the first that keeps it.
  bool CaptureQuery(LONG phase, IPendrelMouseInteraction** keeper) const;
  // Versions above 2 throw before any object is called.
  void LoadObjects(Quor::BinIStream& stream, DWORD version) const;
  void SaveObjects(Quor::BinOStream& stream) const;
  std::size_t ObjectCount() const { return m_objects.size(); }

 private:
  std::map<DWORD, IPendrelInteractiveObject*> m_objects;
  std::map<DWORD, IPendrelMouseInteraction*> m_mouse;
};

}  // namespace PendrelDraw
