#include "host/browser/browser_class.h"

#include "core/quor_string.h"
#include "host/browser/browser_object.h"
#include "host/framework/call_arguments.h"
#include "host/framework/call_log.h"
#include "host/framework/dll_get_class_object.h"
#include "platform/pendrel/framework_ids.h"
#include "platform/win32/com_object.h"

namespace PendrelBrowser {

namespace {

class BrowserClass : public NoDeleteUnknownImp1<IQuorBrowserClass> {
 public:
  HRESULT GetTypeId(DWORD* type) override {
    if (!type) return E_POINTER;
    *type = kBrowserClassType;
    return S_OK;
  }
  HRESULT GetCategoryId(GUID* category) override {
    if (!category) return E_POINTER;
    *category = GUID{};
    return S_OK;
  }
  HRESULT GetClassName(IQuorString** name) override {
    if (!name) return E_POINTER;
    *name = Quor::String(u"Browser").GetInterface();
    return S_OK;
  }
  HRESULT IsCategory(REFGUID) override { return S_FALSE; }

  HRESULT CreateBrowser(DWORD flags, HWND parent, const RECT* bounds, void* reserved,
                        IQuorBrowser** browser) override {
    // The flags mean nothing to this component; they are kept in the call log for tests.
    Tarn::RecordCall("Browser", "CreateBrowser", "flags=" + Tarn::HexWord(flags));
    if (!browser) return E_POINTER;
    *browser = nullptr;
    if (reserved) return E_INVALIDARG;
    try {
      return BrowserObject::Create(parent, bounds, browser);
    } catch (const std::bad_alloc&) {
      return E_OUTOFMEMORY;
    } catch (...) {
      return E_FAIL;
    }
  }
};

}  // namespace

IQuorBrowserClass* BrowserClassObject() {
  static BrowserClass classObject;
  return &classObject;
}

HRESULT RegisterBrowserClass() {
  ITarnClassRegistry* registry = nullptr;
  HRESULT hr = DllGetClassObject(CLSID_TarnFrameWork, ITarnClassRegistry::iid,
                                 reinterpret_cast<void**>(&registry));
  if (FAILED(hr)) return hr;
  hr = registry->RegisterClassObject(BrowserClassObject());
  registry->Release();
  return hr;
}

}  // namespace PendrelBrowser
