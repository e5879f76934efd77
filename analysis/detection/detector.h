// The beat detection chain: seven host computed channels built from the settings, the last of
// which the host evaluates with the module's fiducial enumerator. The document's detector and
// the settings dialog's preview detector differ only in their channel names.
#pragma once

#include "analysis/settings/settings.h"
#include "hostframework/extlib/arithmetic_channel_manager.h"

namespace Rhyth {

class DetectorBase : public ExtLib::ArithmeticChannelManager {
 public:
  using ExtLib::ArithmeticChannelManager::ArithmeticChannelManager;

  // Creates or updates the stages the change flags select: bit 24 stages 1-4, bit 25 stages
  // 5-6, bit 26 stage 7.
  bool UpdateChannels(DWORD flags, const Settings* settings);
  // Makes the host recompute the selected stages.
  bool ResetChannels(DWORD flags, const Settings* settings);
  bool DeleteChannels();
  // Records the seven channels (adding any the host lacks) and holds the fiducial channel.
  bool RegisterChannels(const Quor::String& owner);
  bool HoldFiducialChannel(const Quor::String& owner);
  // Links the fiducial channel's marks to the source channel again.
  bool RefreshMarkerLink(const Settings* settings);
  PendrelChannelRef GetNormalisedChannel();
  PendrelChannelRef GetFiducialChannel();

  // The formula texts, as the host receives them.
  Quor::String LowPassFormula(const Settings& settings);
  static Quor::String DerivativeFormula(const Quor::String& lowPass);
  static Quor::String ResampleFormula(const Quor::String& derivative, LONG width);
  static Quor::String EnvelopeFormula(const Quor::String& derivative, const Quor::String& resampled);
  static Quor::String NormaliseFormula(const Quor::String& envelope, const Settings& settings);
  static Quor::String PeakFormula(const Quor::String& normalised, const Settings& settings);
  static Quor::String FiducialFormula(const Quor::String& signal, const Quor::String& peaks,
                                      const Settings& settings);
  // Twice the QRS width in samples of the source channel, at least 21.
  LONG ResamplingWidth(const Settings& settings);

  // The stage names, stages 1 to 7.
  virtual Quor::String LowPassName() const = 0;
  virtual Quor::String DerivativeName() const = 0;
  virtual Quor::String ResampledName() const = 0;
  virtual Quor::String EnvelopeName() const = 0;
  virtual Quor::String NormalisedName() const = 0;
  virtual Quor::String PeaksName() const = 0;
  virtual Quor::String FiducialName() const = 0;

 private:
  PendrelChannelRef MappedChannel(const Quor::String& name);
  bool SourceHasFiducialMarks(const Settings& settings);
};

class RhythDetector final : public DetectorBase {
 public:
  using DetectorBase::DetectorBase;
  Quor::String LowPassName() const override { return u"Rhyth_vLPF"; }
  Quor::String DerivativeName() const override { return u"Rhyth_vDIF"; }
  Quor::String ResampledName() const override { return u"Rhyth_vHLB"; }
  Quor::String EnvelopeName() const override { return u"Rhyth_vENV"; }
  Quor::String NormalisedName() const override { return u"Rhyth_vNRM"; }
  Quor::String PeaksName() const override { return u"Rhyth_vDET"; }
  Quor::String FiducialName() const override { return u"Rhyth_vFID"; }
};

class PreviewDetector final : public DetectorBase {
 public:
  using DetectorBase::DetectorBase;
  Quor::String LowPassName() const override { return u"Rhyth_pLPF"; }
  Quor::String DerivativeName() const override { return u"Rhyth_pDIF"; }
  Quor::String ResampledName() const override { return u"Rhyth_pHLB"; }
  Quor::String EnvelopeName() const override { return u"Rhyth_pENV"; }
  Quor::String NormalisedName() const override { return u"Rhyth_pNRM"; }
  Quor::String PeaksName() const override { return u"Rhyth_pDET"; }
  Quor::String FiducialName() const override { return u"Rhyth_pFID"; }
};

}  // namespace Rhyth
