// The document's second stored part: the beats the user edited, with the older layout's
// analysis region.
#pragma once

#include "analysis/settings/settings.h"
#include "analysis/data/user_event_data.h"

namespace Rhyth {

class Data final : public SimpleUnknownImp1<IPersistStreamInit, 0> {
 public:
  // `settings` (may be null) receives the region an older layout stored.
  explicit Data(Settings* settings);

  HRESULT GetClassID(CLSID* classId) override;
  HRESULT IsDirty() override { return dirty ? S_OK : S_FALSE; }
  HRESULT Load(IStream* stream) override;
  HRESULT Save(IStream* stream, BOOL clearDirty) override;
  HRESULT GetSizeMax(ULARGE_INTEGER*) override { return E_NOTIMPL; }
  HRESULT InitNew() override { return m_userEvents->Clear(); }

  UserEventData* UserEvents() const { return m_userEvents; }

  BYTE inUse = 0;
  BYTE secondStored = 0;
  BYTE dirty = 0;

 protected:
  ~Data() override;

 private:
  Settings* m_settings;          // one reference, may be null
  UserEventData* m_userEvents;   // one reference
};

}  // namespace Rhyth
