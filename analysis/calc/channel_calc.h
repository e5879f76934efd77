// Rhyth::ChannelCalc: the module's channel calculation. The user picks "Rhyth" in the host's
// calculation list and one beat measure in its dialog; the calculation computes no samples
// itself but hands the host the formula "RhythSelector(Rhyth_vFID,<mode>,<interpolate>)", which
// the host evaluates through the module's selector enumerator over the beats of the document
// detector's fiducial channel. Without that channel the formula is "0" (a flat channel), and
// the next Calculate after the channel is made follows it.
#pragma once

#include <optional>

#include "analysis/calc/channel_calc_settings.h"
#include "core/com_ptr.h"
#include "hostframework/channelcalc/channel_calc_base.h"

namespace Rhyth {

class ChannelCalc final : public ExtLib::ChannelCalcBase {
 public:
  using Settings = ChannelCalcSettings;
  using SettingsClass = ChannelCalcSettingsClass;

  // The detector's fiducial channel, whose beats the selector reads.
  static constexpr const WCHAR* kFiducialChannel = u"Rhyth_vFID";
  static constexpr DWORD kCalcFlags = 0x10000000;

  // What the class object tells the host ("Rhyth", "Rhyth Calculation", the class type word).
  static Quor::String ClassDisplayName();
  static Quor::String ClassDescription();
  static DWORD ClassTypeWord();
  // The output's type word: (host id of the output GUID) << 16.
  static DWORD OutputTypeWord();
  // Runs the dialog over a copy of `current` (the defaults when it is not this calculation's
  // settings): S_FALSE when cancelled, else S_OK with the copy in `edited`.
  static HRESULT EditSettings(IUnknown* hostWindow, IUnknown* current, IUnknown** edited);

  ChannelCalc(DWORD calcId, IUnknown* channel, LONGLONG setting);

  HRESULT Initialise(DWORD a, DWORD b, DWORD c, IUnknown** output, PendrelSampleRatio* ratio,
                     DWORD d, DWORD* word) override;
  HRESULT Calculate(IUnknown* settings, DWORD first) override;
  HRESULT Reserved6() override { return E_NOTIMPL; }
  HRESULT GetSettings(IUnknown** settings) override;
  HRESULT GetCalcFlags(DWORD* flags) override;
  HRESULT Reserved9(IUnknown** object) override;
  HRESULT GetOutputName(DWORD reserved, BSTR* name) override;

  const Settings& CurrentSettings() const { return *m_settings.Get(); }

 private:
  ~ChannelCalc() override = default;

  // The fiducial channel's id, or nothing when the document has none.
  std::optional<DWORD> FindFiducialChannel() const;

  Quor::ComPtr<Settings> m_settings;
};

}  // namespace Rhyth
