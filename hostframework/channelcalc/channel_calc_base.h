// ChannelCalcBase: the framework base of a module's channel calculation, the object the host
// creates through a calculation class to produce one computed channel. It keeps the host's
// object behind the channel (the calculation context) and the host data document it belongs
// to, neither with a reference: the host keeps both alive while the calculation lives, and the
// context holds the calculation. It offers what every calculation needs: preparing the output
// channel with a type word and deriving the 16-bit output scaling from a value range.
// Created with one reference; deletes itself at its last Release.
#pragma once

#include <cmath>

#include "core/com_ptr.h"
#include "hostframework/channelcalc/output_scaling.h"
#include "platform/pendrel/channel_calc.h"
#include "platform/win32/interlocked.h"

namespace ExtLib {

class ChannelCalcBase : public IChannelCalc {
 public:
  ChannelCalcBase(const ChannelCalcBase&) = delete;
  ChannelCalcBase& operator=(const ChannelCalcBase&) = delete;

  HRESULT QueryInterface(REFIID iid, void** object) override;
  ULONG AddRef() override { return ULONG(InterlockedIncrement(&m_refCount)); }
  ULONG Release() override;

  HRESULT GetOutputName(DWORD, BSTR* name) override;
  HRESULT Notify10(DWORD) override { return S_OK; }

  // Prepares the output channel with the output's type word.
  HRESULT SetupOutput(DWORD typeCode);
  // Drops the output object and derives the scaling that holds the range in 16-bit samples.
  void SetOutputRange(float maximum, float minimum, PendrelOutputScaling* scaling);

  DWORD OutputType() const { return m_outputType; }
  double OutputStep() const { return m_step; }
  double OutputOffset() const { return m_offset; }
  DWORD DataFormat() const { return m_dataFormat; }

 protected:
  // `setting`: the 64-bit word the host gives with the calculation id.
  ChannelCalcBase(DWORD calcId, IUnknown* channel, LONGLONG setting);
  virtual ~ChannelCalcBase() = default;

  IPendrelCalcChannel* Channel() const { return m_channel; }
  IUnknown* DataObject() const { return m_data; }
  DWORD CalcId() const { return m_calcId; }
  DWORD SettingLow() const { return DWORD(ULONGLONG(m_setting)); }
  DWORD SettingHigh() const { return DWORD(ULONGLONG(m_setting) >> 32); }

  Quor::ComPtr<IPendrelCalcOutput> m_output;

 private:
  volatile LONG m_refCount = 1;
  IPendrelCalcChannel* m_channel = nullptr;
  IUnknown* m_data = nullptr;
  DWORD m_calcId;
  LONGLONG m_setting;
  double m_step = 1.0;
  double m_offset = 0.0;
  float m_outputMaximum = INFINITY;
  float m_outputMinimum = -INFINITY;
  // 2 until an output range is set, then 4.
  DWORD m_dataFormat = 2;
  DWORD m_formatWord1 = 1;
  DWORD m_formatWord2 = 0;
  DWORD m_outputType = 0;
};

}  // namespace ExtLib
