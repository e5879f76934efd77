// The settings of the module's channel calculation (ChannelCalc::Settings): which beat measure
// the calculated channel shows (the selector's Type), a first flag that only the calculation
// dialog may use, and the interpolate flag handed to the selector. The host keeps them in its
// document through their class object (ChannelCalcSettingsClass), edits copies of them with
// the calculation dialog and passes them to the calculation.
//
// Stored record, little-endian: int32 version (1), int32 mode, 16-bit first flag, 16-bit
// interpolate flag (each 0 or 1).
#pragma once

#include "hostframework/channelcalc/calc_setting_class_base.h"
#include "platform/pendrel/persist_object.h"
#include "platform/win32/com_object.h"

namespace Rhyth {

class ChannelCalcSettings final : public SimpleUnknownImp1<IPersistObject, 1> {
 public:
  static constexpr LONG kRecordVersion = 1;

  // Reads the whole record before it changes anything: a record of another version, or one cut
  // short, is refused and leaves the settings as they were.
  HRESULT Load(IBinInStream* stream) override;
  HRESULT Save(IBinOutStream* stream) override;
  HRESULT GetTypeId(DWORD* type) override;

  // (host id of the channel calculation's GUID << 16) | 1, asked once.
  static DWORD TypeWord();
  // The settings behind an object the host hands back, or null for any other object.
  static ChannelCalcSettings* From(IUnknown* object);

  void CopyFrom(const ChannelCalcSettings& other) {
    mode = other.mode;
    first = other.first;
    interpolate = other.interpolate;
  }

  LONG mode = 0;
  BYTE first = 1;
  BYTE interpolate = 0;

 private:
  ~ChannelCalcSettings() override = default;
};

class ChannelCalcSettingsClass final : public ExtLib::CalcSettingClassBase {
 protected:
  Quor::String CalcDisplayName() const override;
  DWORD SettingsTypeWord() const override { return ChannelCalcSettings::TypeWord(); }
  IPersistObject* NewSettings() const override { return new ChannelCalcSettings; }
};

}  // namespace Rhyth
