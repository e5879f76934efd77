// CalcSettingClassBase: the class object of a channel calculation's persisted settings, through
// which the host makes new settings and loads stored ones. Its calculation class makes it on
// the heap when the calculation class is built and keeps one reference for the module's life;
// it links itself into the class-object list, so module registration registers it too.
#pragma once

#include "core/quor_string.h"
#include "hostframework/class_object_list.h"
#include "platform/pendrel/channel_calc.h"
#include "platform/win32/interlocked.h"

namespace ExtLib {

class CalcSettingClassBase : public IPersistClassObject, public TarnClassObject {
 public:
  HRESULT QueryInterface(REFIID iid, void** object) override;
  ULONG AddRef() override { return ULONG(InterlockedIncrement(&m_refCount)); }
  ULONG Release() override;

  HRESULT GetTypeId(DWORD* type) override;
  HRESULT GetCategoryId(GUID* category) override;
  // The calculation's display name followed by "Settings".
  HRESULT GetClassName(IQuorString** name) override;
  HRESULT IsCategory(REFGUID category) override;
  // New default settings; no aggregation.
  HRESULT CreateInstance(DWORD, IUnknown* outer, REFIID iid, void** object) override;
  HRESULT CreatePersistObject(DWORD, DWORD, IBinInStream* stream,
                              IPersistObject** object) override;

  ITarnClassObject* GetClassObjectInterface() override { return this; }

 protected:
  CalcSettingClassBase() = default;
  virtual ~CalcSettingClassBase() = default;

  virtual Quor::String CalcDisplayName() const = 0;
  virtual DWORD SettingsTypeWord() const = 0;
  // New settings with their defaults, with one reference.
  virtual IPersistObject* NewSettings() const = 0;

 private:
  volatile LONG m_refCount = 1;
};

}  // namespace ExtLib
