#include "analysis/calc/channel_calc_settings.h"

#include "analysis/module_strings.h"
#include "analysis/rhyth_guids.h"
#include "core/xquor.h"
#include "hostframework/type_ids.h"
#include "platform/pendrel/bin_streams.h"

namespace Rhyth {

namespace {

constexpr UINT kDisplayNameId = 1;

struct StoredSettings {
  LONG version = 0;
  LONG mode = 0;
  WORD first = 0;
  WORD interpolate = 0;
};

HRESULT ReadRecord(IBinInStream* stream, StoredSettings& record) {
  if (FAILED(stream->ReadInt32(&record.version))) return kXQuorDataTruncated;
  if (record.version > ChannelCalcSettings::kRecordVersion) return kXQuorNewerVersion;
  if (record.version < ChannelCalcSettings::kRecordVersion) return kXQuorBadBlockVersion;
  if (FAILED(stream->ReadInt32(&record.mode)) || FAILED(stream->ReadUInt16(&record.first)) ||
      FAILED(stream->ReadUInt16(&record.interpolate))) {
    return kXQuorDataTruncated;
  }
  return S_OK;
}

}  // namespace

HRESULT ChannelCalcSettings::Load(IBinInStream* stream) {
  if (!stream) return E_POINTER;
  StoredSettings record;
  const HRESULT read = ReadRecord(stream, record);
  if (FAILED(read)) return read;
  mode = record.mode;
  first = record.first != 0;
  interpolate = record.interpolate != 0;
  return S_OK;
}

HRESULT ChannelCalcSettings::Save(IBinOutStream* stream) {
  if (!stream) return E_POINTER;
  stream->WriteInt32(kRecordVersion);
  stream->WriteInt32(mode);
  stream->WriteInt16(SHORT(first ? 1 : 0));
  stream->WriteInt16(SHORT(interpolate ? 1 : 0));
  return stream->GetState();
}

HRESULT ChannelCalcSettings::GetTypeId(DWORD* type) {
  if (!type) return E_POINTER;
  *type = TypeWord();
  return S_OK;
}

DWORD ChannelCalcSettings::TypeWord() { return TypeIdClass<&GUID_RhythChannelCalc, 1>::Id(); }

ChannelCalcSettings* ChannelCalcSettings::From(IUnknown* object) {
  if (!object) return nullptr;
  IPersistObject* persist = nullptr;
  if (FAILED(object->QueryInterface(IPersistObject::iid, reinterpret_cast<void**>(&persist))))
    return nullptr;
  ChannelCalcSettings* settings = dynamic_cast<ChannelCalcSettings*>(persist);
  persist->Release();
  return settings;
}

Quor::String ChannelCalcSettingsClass::CalcDisplayName() const {
  return ModuleString(kDisplayNameId);
}

}  // namespace Rhyth
