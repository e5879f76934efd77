#include "views/classes/view_command_service.h"

#include "hostframework/host_services.h"
#include "hostframework/menu_service.h"

namespace Rhyth {

HRESULT QueryViewCommandService(TarnCommandHolder& holder, DWORD typeWord, DWORD argument,
                                IUnknown* classObject) {
  Quor::ComPtr<IUnknown> service;
  HRESULT hr = E_FAIL;
  if (ITarnIdRegistry* ids = GetTarnIdRegistry()) {
    GUID guid{};
    hr = ids->GetGuidOfId(HIWORD(typeWord), &guid);
    if (SUCCEEDED(hr)) hr = QueryCommandService(service, guid, argument, classObject);
  }
  holder.Reset(service.Get(), nullptr);
  return hr;
}

}  // namespace Rhyth
