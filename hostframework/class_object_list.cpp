#include "hostframework/class_object_list.h"

#include "hostframework/host_services.h"

namespace {
// Changed only by static construction, on the loader thread; links are never removed.
TarnClassObject* listHead = nullptr;
}  // namespace

TarnClassObject::TarnClassObject() : m_next(listHead) { listHead = this; }

TarnClassObject* GetClassObjectListHead() { return listHead; }

void RegisterClassObjects() {
  for (TarnClassObject* link = listHead; link; link = link->Next()) {
    if (ITarnClassRegistry* registry = GetTarnClassRegistry()) {
      registry->RegisterClassObject(link->GetClassObjectInterface());
    }
  }
}
