// The draw class of one module event type: the class object the host finds by the event type
// word when it draws those events as marks on its traces, and asks for each mark's colour and
// tooltip text. `Event` is the event record as the module's enumerator writes it, `TypeId`
// gives its type word (TypeIdClass), and `Policy` decides the look of one event:
//
//   static COLORREF MarkColour(const Event& event);
//   static Quor::String MarkText(const Event& event);
//
// Module registration makes one and hands it to the host, which owns it through its count.
// It keeps no state of its own beyond the object root.
#pragma once

#include <cstring>
#include <new>

#include "core/com_object_root.h"
#include "core/quor_string.h"
#include "platform/pendrel/class_registry.h"
#include "platform/pendrel/event_draw_class.h"

namespace PendrelClient {

// The name every event draw class gives the host.
inline constexpr char16_t kEventDrawClassName[] = u"PkStimEventDrawClass";

template <class Event, class TypeId, class Policy>
class TEventDrawClass final : public IPODEventDrawClass,
                              public ITarnClassObject,
                              public Quor::CComObjectRoot {
 public:
  TEventDrawClass() = default;

  HRESULT QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (iid == IUnknown::iid || iid == IPODEventDrawClass::iid) {
      *object = static_cast<IPODEventDrawClass*>(this);
    } else if (iid == ITarnClassObject::iid) {
      *object = static_cast<ITarnClassObject*>(this);
    } else {
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG AddRef() override { return InternalAddRef(); }
  ULONG Release() override {
    const ULONG count = InternalRelease();
    if (count == 0) delete this;
    return count;
  }

  // IPODEventDrawClass
  HRESULT GetMarkColour(LONG_PTR, const void* event, COLORREF* colour) override {
    if (!event) return E_FAIL;
    if (!colour) return E_POINTER;
    *colour = Policy::MarkColour(Read(event));
    return S_OK;
  }
  HRESULT GetMarkText(LONG_PTR, LONG_PTR, LONG_PTR, const void* event, LONG_PTR, LONG_PTR,
                      IQuorString** text) override {
    if (!event) return E_FAIL;
    if (!text) return E_POINTER;
    *text = nullptr;
    try {
      *text = Policy::MarkText(Read(event)).GetInterface();
    } catch (const std::bad_alloc&) {
      return E_OUTOFMEMORY;
    } catch (...) {
      return E_FAIL;
    }
    return S_OK;
  }

  // ITarnClassObject
  HRESULT GetTypeId(DWORD* type) override {
    if (!type) return E_POINTER;
    *type = TypeId::Id();
    return S_OK;
  }
  // The class belongs to no category.
  HRESULT GetCategoryId(GUID* category) override {
    if (!category) return E_POINTER;
    *category = GUID_NULL;
    return S_OK;
  }
  HRESULT GetClassName(IQuorString** name) override {
    if (!name) return E_POINTER;
    *name = nullptr;
    try {
      *name = Quor::String(kEventDrawClassName).GetInterface();
    } catch (...) {
      return E_OUTOFMEMORY;
    }
    return S_OK;
  }
  HRESULT IsCategory(REFGUID) override { return S_FALSE; }

 private:
  ~TEventDrawClass() override = default;

  // The host's record may sit anywhere in its buffer: it is copied rather than cast.
  static Event Read(const void* event) {
    Event copy;
    std::memcpy(&copy, event, sizeof copy);
    return copy;
  }
};

}  // namespace PendrelClient
