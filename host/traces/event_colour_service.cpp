#include "host/traces/event_colour_service.h"

#include "core/com_ptr.h"
#include "host/framework/call_arguments.h"
#include "host/framework/call_log.h"
#include "host/framework/dll_get_class_object.h"
#include "host/framework/guarded_call.h"
#include "platform/pendrel/class_registry.h"
#include "platform/pendrel/framework_ids.h"

namespace PendrelHost {

namespace {

constexpr std::string_view kService = "EventColourService";

// The draw class registered for an event type; null when none is.
IPODEventDrawClass* DrawClassOf(DWORD type) {
  Quor::ComPtr<ITarnClassRegistry> registry;
  DllGetClassObject(CLSID_TarnFrameWork, ITarnClassRegistry::iid,
                    Quor::ComPtrOut<ITarnClassRegistry>::Bind(registry));
  if (!registry) return nullptr;
  Quor::ComPtr<ITarnClassObject> found;
  registry->FindClassObject(type, Quor::ComPtrOut<ITarnClassObject>::Bind(found));
  if (!found) return nullptr;
  IPODEventDrawClass* drawClass = nullptr;
  found->QueryInterface(IPODEventDrawClass::iid, reinterpret_cast<void**>(&drawClass));
  return drawClass;
}

}  // namespace

HRESULT EventColourService::SetEventType(DWORD type) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall(kService, "SetEventType", "type=" + Tarn::HexWord(type));
    m_drawClass.reset(DrawClassOf(type));
    return m_drawClass ? S_OK : S_FALSE;
  });
}

HRESULT EventColourService::GetEventColour(const void* event, COLORREF* colour) {
  return Tarn::Guarded([&] {
    if (!colour) return E_POINTER;
    if (!m_drawClass || !event) return S_FALSE;
    COLORREF answer = 0;
    if (m_drawClass->GetMarkColour(0, event, &answer) != S_OK) return S_FALSE;
    *colour = answer;
    return S_OK;
  });
}

HRESULT MakeEventColourService(DWORD, REFIID iid, void** object) {
  return Tarn::Guarded([&] {
    if (!object) return E_POINTER;
    auto* service = new EventColourService();
    service->AddRef();
    const HRESULT result = service->QueryInterface(iid, object);
    service->Release();
    return result;
  });
}

}  // namespace PendrelHost
