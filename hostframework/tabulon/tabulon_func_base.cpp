#include "hostframework/tabulon/tabulon_func_base.h"

#include "core/com_call_guard.h"

HRESULT CopyTabulonValue(const VARIANT& value, VARIANT* out) {
  const HRESULT hr = VariantCopy(out, &value);
  if (FAILED(hr) && out) {
    VariantClear(out);
    out->vt = VT_ERROR;
    out->scode = hr;
  }
  return hr;
}

TabulonFuncBase::TabulonFuncBase(TabulonFuncClassBase* classObject, IUnknown* host, LONG channel)
    : m_class(classObject), m_channel(channel), m_host(host) {
  VariantInit(&m_value);
}

TabulonFuncBase::~TabulonFuncBase() { VariantClear(&m_value); }

HRESULT TabulonFuncBase::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (iid == IUnknown::iid || iid == ITabulonFunction::iid) {
    *object = static_cast<ITabulonFunction*>(this);
    AddRef();
    return S_OK;
  }
  return E_NOINTERFACE;
}

ULONG TabulonFuncBase::AddRef() { return ++m_refCount; }

ULONG TabulonFuncBase::Release() {
  const ULONG count = --m_refCount;
  if (count == 0) delete this;
  return count;
}

HRESULT TabulonFuncBase::GetChannelUnit(IUnknown** unit) {
  if (!unit) return E_POINTER;
  *unit = nullptr;
  return S_FALSE;
}

HRESULT TabulonFuncBase::GetText(LONG index, IQuorString** text) {
  if (!text) return E_POINTER;
  *text = nullptr;
  return Quor::GuardedCall([&] {
    const TabulonFuncClassBase::Texts& texts = m_class->FunctionTexts();
    const Quor::String* chosen = &texts.displayName;
    if (index == 1 && !texts.firstAlternative.IsEmpty()) chosen = &texts.firstAlternative;
    if (index == 2) {
      if (!texts.secondAlternative.IsEmpty()) {
        chosen = &texts.secondAlternative;
      } else if (!texts.firstAlternative.IsEmpty()) {
        chosen = &texts.firstAlternative;
      }
    }
    *text = chosen->GetInterface();
    return S_OK;
  });
}

HRESULT TabulonFuncBase::GetUnitString(IQuorString** unit) {
  if (!unit) return E_POINTER;
  *unit = nullptr;
  return S_FALSE;
}

HRESULT TabulonFuncBase::Evaluate(DWORD reason, LONG channel, VARIANT* value) {
  VariantClear(&m_value);
  m_cancel = 0;
  if (reason == kTabulonEvaluateAll) {
    m_dirty = kTabulonAllChanged;
  } else if (reason == kTabulonEvaluateSelection) {
    m_dirty |= kTabulonSelectionChanged;
  } else if (reason == kTabulonEvaluateActivePoint) {
    m_dirty |= kTabulonActivePointChanged;
  }
  m_channelChanged = channel != m_channel;
  m_channel = channel;
  if (!HasSource()) return E_FAIL;
  HRESULT hr = Quor::GuardedCall([&] { return Calculate(); });
  m_lastResult = hr;
  if (value && value != &m_value) {
    const HRESULT copied = CopyTabulonValue(m_value, value);
    if (FAILED(copied)) hr = copied;
  }
  m_dirty = 0;
  return m_cancel ? E_ABORT : hr;
}

HRESULT TabulonFuncBase::GetValue(VARIANT* value) {
  const HRESULT copied = CopyTabulonValue(m_value, value);
  return FAILED(copied) ? copied : m_lastResult;
}

HRESULT TabulonFuncBase::ClearValue() {
  VariantClear(&m_value);
  return S_OK;
}

HRESULT TabulonFuncBase::Detach() {
  m_host.Clear();
  return S_OK;
}

HRESULT TabulonFuncBase::GetTypeId(DWORD* type) {
  if (!type) return E_POINTER;
  *type = m_class->FunctionTypeId();
  return S_OK;
}

HRESULT TabulonFuncBase::GetClassTypeId(DWORD* type) { return m_class->GetTypeId(type); }

HRESULT TabulonFuncBase::GetClass(ITabulonFunctionClass2** classObject) {
  if (!classObject) return E_POINTER;
  *classObject = m_class;
  m_class->AddRef();
  return S_OK;
}
