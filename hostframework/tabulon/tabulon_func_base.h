// The function object every Tabulon measurement builds on: the class object it came from, the
// host object it was made over, the current channel, a dirty mask of what changed since the last
// evaluation, and the value of the last evaluation. A concrete function supplies `Calculate`,
// which fills the value. The host creates a function through its class object and holds it for
// as long as its table shows it; the last Release deletes it. The host calls a function on one
// thread at a time; only the cancel flag may be set from another.
#pragma once

#include <atomic>

#include "core/com_ptr.h"
#include "hostframework/tabulon/tabulon_func_class_base.h"

// Bits of the dirty mask.
constexpr DWORD kTabulonActivePointChanged = 1;
constexpr DWORD kTabulonSelectionChanged = 2;  // the channel set or the selection
constexpr DWORD kTabulonSourceChanged = 8;
constexpr DWORD kTabulonAllChanged = 15;

// Copies a value to the caller. A copy that fails leaves the caller VT_ERROR with the failure
// and answers it; nothing is thrown across the interface.
HRESULT CopyTabulonValue(const VARIANT& value, VARIANT* out);

class TabulonFuncBase : public ITabulonFunction {
 public:
  HRESULT QueryInterface(REFIID iid, void** object) override;
  ULONG AddRef() override;
  ULONG Release() override;

  HRESULT GetChannelUnit(IUnknown** unit) override;
  HRESULT GetText(LONG index, IQuorString** text) override;
  HRESULT GetUnitString(IQuorString** unit) override;
  HRESULT Evaluate(DWORD reason, LONG channel, VARIANT* value) override;
  HRESULT GetValue(VARIANT* value) override;
  HRESULT ClearValue() override;
  HRESULT Detach() override;
  HRESULT GetTypeId(DWORD* type) override;
  HRESULT GetClassTypeId(DWORD* type) override;
  HRESULT GetClass(ITabulonFunctionClass2** classObject) override;

  DWORD DirtyMask() const { return m_dirty; }

 protected:
  TabulonFuncBase(TabulonFuncClassBase* classObject, IUnknown* host, LONG channel);
  virtual ~TabulonFuncBase();

  // Fills the value from the data; S_OK, or a failure with the value left empty.
  virtual HRESULT Calculate() = 0;
  // Whether the function has data to evaluate.
  virtual bool HasSource() const { return false; }

  TabulonFuncClassBase& ClassObject() const { return *m_class; }
  IUnknown* Host() const { return m_host.Get(); }
  LONG Channel() const { return m_channel; }
  bool ChannelChanged() const { return m_channelChanged; }
  void MarkDirty(DWORD bits) { m_dirty |= bits; }
  void SetCancelled(bool cancelled) { m_cancel = cancelled ? 0xFFFF : 0; }
  VARIANT& Value() { return m_value; }
  void SetLastResult(HRESULT hr) { m_lastResult = hr; }

 private:
  std::atomic<ULONG> m_refCount{1};
  TabulonFuncClassBase* m_class;
  DWORD m_dirty = kTabulonAllChanged;
  LONG m_channel;
  bool m_channelChanged = true;
  VARIANT m_value;
  HRESULT m_lastResult = E_FAIL;
  Quor::ComPtr<IUnknown> m_host;
  std::atomic<WORD> m_cancel{0};
};
