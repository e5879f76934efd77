// Channel calculations: a module's object that the host asks to produce one computed channel.
// The host lists the calculation classes that modules registered (ICalculationClass), lets the
// user edit a calculation's settings through its class, creates the calculation over the host's
// own object for the channel (IPendrelCalcChannel) and calls Calculate with the settings. The
// calculation describes its output channel to the host: its 16-bit scaling, its unit and the
// formula of the host's channel language that gives its values.
#pragma once

#include "core/iquor_string.h"
#include "platform/pendrel/class_registry.h"
#include "platform/pendrel/persist_object.h"
#include "platform/win32/guid.h"

// The class category of channel calculation classes.
inline constexpr GUID GUID_TarnCalculationClassCategory =
    win32::ParseGuid("5b0e7d42-93a1-4c6f-8e2d-1f7a9c3b6d50");
// The class category of the settings classes of channel calculations.
inline constexpr GUID GUID_TarnCalcSettingsCategory =
    win32::ParseGuid("a83c1f06-2d5e-4b97-b4a0-6e9d2c71f845");

// How the host stores an output channel's values in 16-bit samples:
// sample = (value + shift) * scale, kept within -32000 to 32000.
struct PendrelOutputScaling {
  double scale;
  double shift;
};

// Output samples per input sample: numerator / denominator; `reserved` is 0.
struct PendrelSampleRatio {
  LONGLONG numerator;
  LONGLONG denominator;
  DWORD reserved;
};

// The flag word with which an output names the channel its values come from, and with which
// a calculation commits its formula.
constexpr DWORD kCalcSourceChannelFlag = 0x40000000;

// What an output channel is made of, as a calculation describes it.
struct IPendrelCalcOutput : IUnknown {
  PLATFORM_INTERFACE_ID("e2c94b17-6a30-4d85-9f1b-0c7d3e85a2f4");
  using Base = IUnknown;
  // present 1: the output follows `channel` (with `flags`); 0: it follows no channel.
  virtual HRESULT SetSource(DWORD present, DWORD channel, DWORD flags) = 0;
  // The formula of the host's channel language that gives the output's values.
  virtual HRESULT SetFormula(IQuorString* formula) = 0;

 protected:
  ~IPendrelCalcOutput() = default;
};

// The output as a formula and its unit: what the calculation finally hands to the host.
struct IPendrelFormulaOutput : IUnknown {
  PLATFORM_INTERFACE_ID("71d0a5e3-c84b-4f29-a6e1-3b9f04d7c268");
  using Base = IUnknown;
  virtual HRESULT GetFormula(IQuorString** formula) = 0;
  virtual HRESULT GetUnit(IQuorString** unit) = 0;
  virtual HRESULT GetScaling(PendrelOutputScaling* scaling) = 0;

 protected:
  ~IPendrelFormulaOutput() = default;
};

// The host's object behind one calculated channel: the context a calculation is created over.
struct IPendrelCalcChannel : IUnknown {
  PLATFORM_INTERFACE_ID("3f86d2a9-0b47-4e1c-8d53-a2e6f91c0b7d");
  using Base = IUnknown;
  // The host data document the channel belongs to, with a reference.
  virtual HRESULT GetDataObject(IUnknown** data) = 0;
  // Prepares the output channel of a calculation: the output's type word, the calculation's
  // id and its 64-bit setting.
  virtual HRESULT SetupOutput(DWORD outputType, DWORD calcId, LONGLONG setting) = 0;
  // A new output of that scaling and unit, with a reference.
  virtual HRESULT CreateOutput(const PendrelOutputScaling* scaling, IQuorString* unit,
                               IPendrelCalcOutput** output) = 0;
  // The id of the channel of that name; S_FALSE and 0x80000000 when there is none.
  virtual HRESULT FindChannel(IQuorString* name, DWORD* channel) = 0;
  // The calculation's last word: the channel computes what the output says from now on.
  virtual HRESULT Commit(DWORD settingLow, DWORD settingHigh, DWORD flags,
                         IPendrelFormulaOutput* output) = 0;
  // The data the calculation reads from, prepared for its first call.
  virtual HRESULT PrepareData(DWORD reserved, DWORD a, DWORD b) = 0;

 protected:
  ~IPendrelCalcChannel() = default;
};

// A channel calculation object. The unnamed slots keep the host's order and are not called.
struct IChannelCalc : IUnknown {
  PLATFORM_INTERFACE_ID("c7a2e9f4-1d68-4b30-95ce-8f0b3a6d2e19");
  using Base = IUnknown;
  virtual HRESULT Initialise(DWORD a, DWORD b, DWORD c, IUnknown** output,
                             PendrelSampleRatio* ratio, DWORD d, DWORD* word) = 0;
  // `first`: nonzero on the first call after creation.
  virtual HRESULT Calculate(IUnknown* settings, DWORD first) = 0;
  virtual HRESULT Reserved6() = 0;
  virtual HRESULT GetSettings(IUnknown** settings) = 0;
  virtual HRESULT GetCalcFlags(DWORD* flags) = 0;
  virtual HRESULT Reserved9(IUnknown** object) = 0;
  // The title of the output channel; a previous text in `name` is not freed.
  virtual HRESULT GetOutputName(DWORD reserved, BSTR* name) = 0;
  virtual HRESULT Notify10(DWORD reserved) = 0;

 protected:
  ~IChannelCalc() = default;
};

// The class object of a channel calculation, as the host's calculation list shows it.
struct ICalculationClass : ITarnClassObject {
  PLATFORM_INTERFACE_ID("9e41b6c0-57d2-4a8f-b31e-d0c5a7926f3b");
  using Base = ITarnClassObject;
  virtual HRESULT GetDisplayName(IQuorString** name) = 0;
  virtual HRESULT GetDescription(IQuorString** description) = 0;
  virtual HRESULT GetSettingsTypeId(DWORD* type) = 0;
  // Lets the user edit a copy of `current` (may be null) in the calculation's dialog:
  // S_OK with the edited copy in `edited`, or S_FALSE with null when the user cancels.
  virtual HRESULT EditSettings(IUnknown* hostWindow, DWORD a, DWORD b, IUnknown* current,
                               IUnknown** edited) = 0;
  // A new calculation over the host's channel object, with a reference.
  virtual HRESULT CreateCalculation(DWORD calcId, DWORD settingLow, DWORD settingHigh,
                                    IUnknown* channel, IChannelCalc** calculation) = 0;

 protected:
  ~ICalculationClass() = default;
};

// The class object of persisted settings: the host makes them new or from a stream.
struct IPersistClassObject : ITarnClassObject {
  PLATFORM_INTERFACE_ID("4d7f2a95-e0c3-4b18-8a6d-75e1b09c3f42");
  using Base = ITarnClassObject;
  virtual HRESULT CreateInstance(DWORD a, IUnknown* outer, REFIID iid, void** object) = 0;
  // A new object loaded from the stream; `object` gets it with one reference even when the
  // load fails, and the answer is the load's.
  virtual HRESULT CreatePersistObject(DWORD a, DWORD b, IBinInStream* stream,
                                      IPersistObject** object) = 0;

 protected:
  ~IPersistClassObject() = default;
};
