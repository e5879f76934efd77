#include "tracedisplay/panes/interactive_objects.h"

#include "core/xquor.h"

namespace PendrelDraw {

InteractiveObjectContainer::~InteractiveObjectContainer() {
  for (auto& [key, object] : m_mouse) object->Release();
  for (auto& [key, object] : m_objects) object->Release();
}

void InteractiveObjectContainer::AddObject(IPendrelInteractiveObject* object, DWORD key) {
  if (!object || m_objects.contains(key)) return;
  object->AddRef();
  m_objects.emplace(key, object);
  IPendrelMouseInteraction* mouse = nullptr;
  if (SUCCEEDED(object->QueryInterface(IPendrelMouseInteraction::iid,
                                       reinterpret_cast<void**>(&mouse))) &&
      mouse) {
    m_mouse.emplace(key, mouse);
  }
}

void InteractiveObjectContainer::AddObjectAndRelease(IPendrelInteractiveObject* object, DWORD key) {
  AddObject(object, key);
  if (object) object->Release();
}

void InteractiveObjectContainer::Broadcast(
    const std::function<void(IPendrelInteractiveObject*)>& call) const {
  for (const auto& [key, object] : m_objects) call(object);
}

void InteractiveObjectContainer::BroadcastEvent(PaneEvent event, LONG_PTR a, LONG_PTR b,
                                                LONG_PTR c) const {
  Broadcast([&](IPendrelInteractiveObject* object) { object->OnPaneEvent(event, a, b, c); });
}

bool InteractiveObjectContainer::CaptureQuery(LONG phase, IPendrelMouseInteraction** keeper) const {
  if (keeper) *keeper = nullptr;
  for (const auto& [key, object] : m_mouse) {
    if (object->LetsGo(phase) != S_OK) {
      if (keeper) *keeper = object;
      return false;
    }
  }
  return true;
}

void InteractiveObjectContainer::MouseBroadcast(LONG phase, POINT point, DWORD keys) const {
  IPendrelMouseInteraction* keeper = nullptr;
  const bool free = CaptureQuery(phase, &keeper);
  const DWORD identity = keeper ? keeper->Identity() : 0;
  for (const auto& [key, object] : m_mouse) {
    if (free || object->Identity() == identity) object->OnMouse(phase, point, keys);
  }
}

void InteractiveObjectContainer::LoadObjects(Quor::BinIStream& stream, DWORD version) const {
  if (version > 2) throw XQuor(kXQuorNewerVersion);
  Broadcast([&](IPendrelInteractiveObject* object) { object->LoadState(&stream); });
}

void InteractiveObjectContainer::SaveObjects(Quor::BinOStream& stream) const {
  Broadcast([&](IPendrelInteractiveObject* object) { object->SaveState(&stream); });
}

}  // namespace PendrelDraw
