// The framework's class object: one process-wide object that answers the class registry, the
// framework service, the message service, the message factory, the id registry and the event
// manager under one identity, as modules expect of what CLSID_TarnFrameWork gives them.
#pragma once

#include "host/framework/guid_id_registry.h"
#include "host/framework/host_class_registry.h"
#include "host/framework/host_event_manager.h"
#include "host/framework/message_class_table.h"
#include "host/framework/message_delivery.h"
#include "host/framework/object_tracker.h"

namespace Tarn {

class FrameworkObject final : public HostClassRegistry,
                              public ObjectTracker,
                              public MessageDelivery,
                              public MessageClassTable,
                              public GuidIdRegistry,
                              public HostEventManager {
 public:
  // The object, which the process keeps for its whole life: modules may still call in while
  // it exits.
  static FrameworkObject& Instance();

  HRESULT QueryInterface(REFIID iid, void** object) override;
  ULONG AddRef() override;
  ULONG Release() override;

  // Drops what modules registered: class objects, message classes, commands, menus,
  // observers and tracked objects. GUID ids stay, as they must for the life of the process.
  void Reset();

 private:
  FrameworkObject() = default;
  ~FrameworkObject() = default;

  void* Face(REFIID iid);

  // Starts with the process's own reference, which is never given up.
  volatile LONG m_refCount = 1;
};

}  // namespace Tarn
