#include "hostframework/menu_service.h"

#include "hostframework/registry_service.h"
#include "platform/pendrel/framework_ids.h"

namespace {

IQuorString* Text(const Quor::String& s) { return s.IsEmpty() ? nullptr : s.GetInterface(); }

void Free(IQuorString* text) {
  if (text) text->Release();
}

}  // namespace

ITarnMenuService* GetTarnMenuService() {
  static RegistryService<ITarnMenuService> service([] { return kTarnTypeMenuService; });
  return service.Get();
}

ITarnCommandService* GetTarnCommandService() {
  static RegistryService<ITarnCommandService> service([] { return kTarnTypeCommandService; });
  return service.Get();
}

HRESULT QueryCommandService(Quor::ComPtr<IUnknown>& service, REFGUID guid, DWORD argument,
                            IUnknown* classObject) {
  service.Clear();
  ITarnCommandService* commands = GetTarnCommandService();
  if (!commands) return E_FAIL;
  const HRESULT hr = commands->QueryCommandService(guid, argument, classObject,
                                                   Quor::ComPtrOut<IUnknown>::Bind(service));
  if (FAILED(hr)) service.Clear();
  return hr;
}

HRESULT TarnMenuService::CreateMenuItem(Quor::ComPtr<ITarnMenuItem>& holder,
                                        const Quor::String& text) {
  ITarnMenuService* menus = GetTarnMenuService();
  if (!menus) return E_FAIL;
  const bool separator = text == u"-";
  IQuorString* itemText = separator ? nullptr : Text(text);
  IQuorString* name = separator ? Text(text) : nullptr;
  const HRESULT hr = menus->CreateMenuItem(0, itemText, name, 0, 0, 0, nullptr, 0, 0, 2, 0, 0,
                                           0, 0, Quor::ComPtrOut<ITarnMenuItem>::Bind(holder));
  Free(itemText);
  Free(name);
  return hr;
}

HRESULT TarnMenuService::CreateTopMenu(Quor::ComPtr<ITarnMenuItem>& holder,
                                       const Quor::String& name, const Quor::String& parentPath) {
  ITarnMenuService* menus = GetTarnMenuService();
  if (!menus) return E_FAIL;
  IQuorString* menuName = Text(name);
  IQuorString* path = Text(parentPath);
  const HRESULT hr = menus->CreateMenuItem(0, nullptr, menuName, 0, 0, 0, path, 0, 0, 0x38, 0, 0,
                                           0, 10000, Quor::ComPtrOut<ITarnMenuItem>::Bind(holder));
  Free(menuName);
  Free(path);
  return hr;
}

HRESULT TarnMenuService::InsertMenuItem(Quor::ComPtr<ITarnMenuItem>& holder, DWORD p1,
                                        const DWORD* commandId, const Quor::String& path,
                                        DWORD p4, DWORD p5, const Quor::String& helpText,
                                        const Quor::String& text, const Quor::String& anchor,
                                        WORD orderLow, WORD placement) {
  ITarnMenuService* menus = GetTarnMenuService();
  if (!menus) return E_FAIL;
  HRESULT hr = CreateMenuItem(holder, Quor::String());
  if (FAILED(hr) || !holder) return FAILED(hr) ? hr : E_FAIL;
  IQuorString* pathText = Text(path);
  IQuorString* itemText = Text(text);
  IQuorString* anchorText = Text(anchor);
  hr = menus->InsertMenuItem(p1, 0x10000000, commandId ? *commandId : 0, pathText, p5, itemText,
                             p4, anchorText, 0, 0, holder.Get());
  Free(pathText);
  Free(itemText);
  Free(anchorText);
  // Without an order of the caller's, the item keeps the one the host gave it.
  if (orderLow == 0 && placement == 0) {
    DWORD current = 0;
    if (SUCCEEDED(holder->GetOrder(&current)) && current != 0) {
      orderLow = LOWORD(current);
      placement = HIWORD(current);
    }
  }
  holder->SetOrderWord(MenuOrder(orderLow, placement));
  SetItemOrder(holder.Get(), orderLow, placement);
  Quor::ComPtr<ITarnMenuItemHelp> help;
  if (SUCCEEDED(holder->QueryInterface(ITarnMenuItemHelp::iid,
                                       Quor::ComPtrOut<ITarnMenuItemHelp>::Bind(help)))) {
    IQuorString* helpString = Text(helpText);
    help->SetHelpText(helpString);
    Free(helpString);
  }
  return hr;
}

HRESULT TarnMenuService::AddCommand(Quor::ComPtr<ITarnMenuItem>& holder, DWORD q1, DWORD,
                                    const DWORD* commandId, const Quor::String& path,
                                    const Quor::String& text) {
  const Quor::String empty;
  return InsertMenuItem(holder, q1, commandId, path, 2, 0, empty, text, empty, 0, 0);
}

Quor::ComPtr<ITarnPopupMenu> TarnMenuService::PopupMenu(DWORD handle) {
  Quor::ComPtr<ITarnPopupMenu> popup;
  if (ITarnMenuService* menus = GetTarnMenuService()) {
    menus->GetPopupMenu(handle, Quor::ComPtrOut<ITarnPopupMenu>::Bind(popup));
  }
  return popup;
}

HRESULT TarnMenuService::SetItemOrder(ITarnMenuItem* item, WORD lowWord, WORD placement) {
  if (!item) return E_FAIL;
  Quor::ComPtr<ITarnMenuItemOrder> order;
  if (FAILED(item->QueryInterface(ITarnMenuItemOrder::iid,
                                  Quor::ComPtrOut<ITarnMenuItemOrder>::Bind(order)))) {
    return E_FAIL;
  }
  return order->SetOrder(MenuOrder(lowWord, placement));
}

COMDebugClass::COMDebugClass(IUnknown* object) {
  if (ITarnFrameworkService* tracker = GetTarnFrameworkService()) {
    tracker->TrackObject(object, kTarnTrackViewObject);
  }
}
