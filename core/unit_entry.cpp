#include "core/unit_entry.h"

#include "core/com_call_guard.h"
#include "core/core_type_ids.h"

namespace Quor {

DWORD UnitEntry::TypeId() { return CoreTypeId(kUnitEntryTypeNumber); }

HRESULT UnitEntry::GetPrefix(DWORD* index) {
  if (!index) return E_INVALIDARG;
  *index = prefixIndex;
  return S_OK;
}

HRESULT UnitEntry::GetText(VARIANT_BOOL withPrefix, IQuorString** text) {
  if (!text) return E_INVALIDARG;
  *text = nullptr;
  return GuardedCall([&] {
    *text = Text(withPrefix != VARIANT_FALSE).GetInterface();
    return S_OK;
  });
}

HRESULT UnitEntry::GetFlag(DWORD* value) {
  if (!value) return E_INVALIDARG;
  *value = flag;
  return S_OK;
}

HRESULT UnitEntry::SetPrefix(DWORD index) {
  if (!IsPrefixIndex(index)) return E_INVALIDARG;
  prefixIndex = index;
  return S_OK;
}

HRESULT UnitEntry::SetName(IAutoQuorString* value) {
  if (!value) return E_INVALIDARG;
  return GuardedCall([&] {
    name = String(value);
    return S_OK;
  });
}

HRESULT UnitEntry::SetFlag(DWORD value) {
  flag = value != 0;
  return S_OK;
}

HRESULT UnitEntry::Clone(IUnitName** copy) {
  if (!copy) return E_INVALIDARG;
  *copy = nullptr;
  return GuardedCall([&] {
    *copy = new UnitEntry(static_cast<const UnitInfo&>(*this));
    (*copy)->AddRef();
    return S_OK;
  });
}

HRESULT UnitEntry::Load(IBinInStream* stream) {
  if (!stream) return E_FAIL;
  return GuardedCall([&] {
    LONG index = 0;
    stream->ReadInt32(&index);
    IQuorString* text = nullptr;
    const HRESULT read = stream->ReadString(&text);
    String loadedName;
    loadedName.Adopt(text);
    if (FAILED(read)) return read;
    LONG loadedFlag = 0;
    stream->ReadInt32(&loadedFlag);
    if (FAILED(stream->GetState()) || !IsPrefixIndex(DWORD(index))) return E_FAIL;
    prefixIndex = DWORD(index);
    name = loadedName;
    flag = DWORD(loadedFlag);
    return S_OK;
  });
}

HRESULT UnitEntry::Save(IBinOutStream* stream) {
  if (!stream) return E_FAIL;
  return GuardedCall([&] {
    stream->WriteInt32(LONG(prefixIndex));
    IQuorString* text = name.GetInterface();
    stream->WriteString(text);
    text->Release();
    stream->WriteInt32(LONG(flag));
    return SUCCEEDED(stream->GetState()) ? S_OK : E_FAIL;
  });
}

HRESULT UnitEntry::GetTypeId(DWORD* type) {
  if (!type) return E_INVALIDARG;
  *type = TypeId();
  return S_OK;
}

}  // namespace Quor
