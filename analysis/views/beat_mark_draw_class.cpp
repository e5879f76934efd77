#include "analysis/views/beat_mark_draw_class.h"

#include "analysis/detection/fiducial_enumerator.h"
#include "platform/win32/com_object.h"

namespace Rhyth {

namespace {

class BeatMarkDrawClass final : public SimpleUnknownImp1<ITarnClassObject, 1> {
 public:
  HRESULT GetTypeId(DWORD* type) override {
    if (!type) return E_POINTER;
    *type = FiducialEventTypeId::Id();
    return S_OK;
  }
  HRESULT GetCategoryId(GUID* category) override {
    if (!category) return E_POINTER;
    *category = GUID_RhythEnumObj;
    return S_OK;
  }
  HRESULT GetClassName(IQuorString** name) override {
    if (!name) return E_POINTER;
    *name = nullptr;
    return S_OK;
  }
  HRESULT IsCategory(REFGUID category) override {
    return category == GUID_RhythEnumObj ? S_OK : S_FALSE;
  }
};

}  // namespace

ITarnClassObject* NewBeatMarkDrawClass() { return new BeatMarkDrawClass; }

}  // namespace Rhyth
