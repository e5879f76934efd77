// CalcClassBase: the class object of a module's channel calculation, through which the host
// lists the calculation (display name, description), lets the user edit its settings and
// creates calculations. One static object per calculation, built at load time and linked into
// the class-object list; counting references does not delete it.
#pragma once

#include "core/com_ptr.h"
#include "core/quor_string.h"
#include "hostframework/class_object_list.h"
#include "platform/pendrel/channel_calc.h"
#include "platform/win32/interlocked.h"

namespace ExtLib {

class CalcClassBase : public ICalculationClass, public TarnClassObject {
 public:
  HRESULT QueryInterface(REFIID iid, void** object) override;
  ULONG AddRef() override { return ULONG(InterlockedIncrement(&m_refCount)); }
  ULONG Release() override { return ULONG(InterlockedDecrement(&m_refCount)); }

  HRESULT GetTypeId(DWORD* type) override;
  HRESULT GetCategoryId(GUID* category) override;
  // The display name.
  HRESULT GetClassName(IQuorString** name) override;
  HRESULT IsCategory(REFGUID category) override;
  HRESULT GetDisplayName(IQuorString** name) override;
  HRESULT GetDescription(IQuorString** description) override;
  // 0: the host learns the settings' type from the settings class.
  HRESULT GetSettingsTypeId(DWORD* type) override;

  ITarnClassObject* GetClassObjectInterface() override { return this; }

 protected:
  // Links the class object into the process-wide list.
  CalcClassBase() = default;
  ~CalcClassBase() = default;

  // Asked when the host first wants them: string tables and the host's ids are not there yet
  // while static objects are built.
  virtual Quor::String DisplayName() const = 0;
  virtual Quor::String Description() const = 0;
  virtual DWORD TypeWord() const = 0;

 private:
  volatile LONG m_refCount = 1;
};

}  // namespace ExtLib
