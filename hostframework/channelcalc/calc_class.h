// CalcClass<Calc>: the class object of the channel calculation Calc. Calc supplies what differs
// between calculations as static members: its names and type word (ClassDisplayName,
// ClassDescription, ClassTypeWord), its settings class (SettingsClass, default-constructible),
// the editing of its settings (EditSettings) and the making of a calculation (Create).
#pragma once

#include "hostframework/channelcalc/calc_class_base.h"

namespace ExtLib {

template <class Calc>
class CalcClass final : public CalcClassBase {
 public:
  // The settings class is built after this object is linked, so the list holds it first and
  // module registration registers it before the calculation class.
  CalcClass() { m_settingsClass.Attach(new typename Calc::SettingsClass); }

  HRESULT EditSettings(IUnknown* hostWindow, DWORD, DWORD, IUnknown* current,
                       IUnknown** edited) override {
    if (!edited) return E_POINTER;
    *edited = nullptr;
    return Calc::EditSettings(hostWindow, current, edited);
  }

  HRESULT CreateCalculation(DWORD calcId, DWORD settingLow, DWORD settingHigh, IUnknown* channel,
                            IChannelCalc** calculation) override {
    if (!calculation) return E_POINTER;
    *calculation = nullptr;
    if (!channel) return E_FAIL;
    const LONGLONG setting = LONGLONG((ULONGLONG(settingHigh) << 32) | settingLow);
    Calc* made = new Calc(calcId, channel, setting);
    const HRESULT result =
        made->QueryInterface(IChannelCalc::iid, reinterpret_cast<void**>(calculation));
    made->Release();
    return result;
  }

  IPersistClassObject* SettingsClass() const { return m_settingsClass.Get(); }

 protected:
  Quor::String DisplayName() const override { return Calc::ClassDisplayName(); }
  Quor::String Description() const override { return Calc::ClassDescription(); }
  DWORD TypeWord() const override { return Calc::ClassTypeWord(); }

 private:
  Quor::ComPtr<IPersistClassObject> m_settingsClass;
};

}  // namespace ExtLib
