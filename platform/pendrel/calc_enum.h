// Calculated event enumerators: event channels whose events a module computes. The host creates
// one through its class object, gives it the parameter text of the channel formula, starts it on
// a record with that record's source channels and reads it through IEnumEventEx.
#pragma once

#include "core/iquor_string.h"
#include "platform/pendrel/data_source.h"
#include "platform/pendrel/unit_name.h"
#include "platform/win32/unknown.h"

struct ICalcEnum;

// The code that ICalcEnum::GetEnumTypeCode answers for an enumerator of computed events.
constexpr DWORD kCalcEnumTypeCode = 0x801B0002;

// What GetEventFlags answers when its second argument is nonzero.
constexpr DWORD kCalcEnumEventFlag = 0x40000000;

// The class object of a calculated event enumerator: what the host asks about the class, and
// the creation of enumerators, plain or aggregated.
struct ICalcEnumClass2 : IUnknown {
  PLATFORM_INTERFACE_ID("1a2be48a-ab25-4bdd-a35b-c1142a110b48");
  using Base = IUnknown;
  virtual HRESULT GetTypeId(DWORD* type) = 0;
  virtual HRESULT GetCategoryId(GUID* category) = 0;
  // A newly allocated name; a string the argument held is freed first.
  virtual HRESULT GetName(BSTR* name) = 0;
  // S_OK when the class belongs to the category, S_FALSE otherwise.
  virtual HRESULT IsCategory(REFGUID category) = 0;
  virtual HRESULT GetClassName(IQuorString** name) = 0;
  virtual HRESULT GetDescription(IQuorString** description) = 0;
  virtual HRESULT GetEnumTypeId(DWORD* id) = 0;
  virtual HRESULT GetReservedWord(DWORD* word) = 0;
  virtual HRESULT CreateEnum(IAutoQuorString* params, LONG_PTR reserved,
                             ICalcEnum** enumerator) = 0;
  // With an outer object, the aggregated enumerator's own (non-delegating) IUnknown.
  virtual HRESULT CreateInstance(IUnknown* outer, REFIID iid, void** object) = 0;

 protected:
  ~ICalcEnumClass2() = default;
};

// The host's side of one enumerator; its events are read through IEnumEventEx on the same
// object.
struct ICalcEnum : IUnknown {
  PLATFORM_INTERFACE_ID("e388b963-ff80-4840-b29d-24bb520c8026");
  using Base = IUnknown;
  virtual HRESULT GetClassTypeWord(DWORD* type) = 0;
  virtual HRESULT GetClass(ICalcEnumClass2** classObject) = 0;
  // The parameter text of the channel formula; a null text counts as an empty one.
  virtual HRESULT SetParams(IAutoQuorString* text) = 0;
  virtual HRESULT GetParams(IQuorString** text) = 0;
  virtual HRESULT Clone(ICalcEnum** copy) = 0;
  // Works on `record` from its start. `sources` holds `count` host objects, one per channel
  // parameter in parameter order; `online` below 0 says the record may still grow.
  virtual HRESULT StartRecord(LONG record, LONG count, IUnknown* const* sources, LONG reserved,
                              double tickInterval, LONG online) = 0;
  virtual HRESULT SetPosition(LONG tick) = 0;
  // Forgets every record's cached algorithm state.
  virtual HRESULT Reset() = 0;
  virtual HRESULT GetEventFlags(LONG a, LONG b, DWORD* flags) = 0;
  virtual HRESULT Notify1(LONG_PTR argument) = 0;
  virtual HRESULT Notify2(LONG_PTR argument) = 0;
  // The current record's tick interval in seconds and the unit of the produced values.
  virtual HRESULT GetUnits(double* tickInterval, IUnitName** unit) = 0;
  // Answers S_OK with no object.
  virtual HRESULT GetExtraObject(IUnknown** object) = 0;
  virtual HRESULT GetEnumTypeCode(DWORD* code) = 0;
  virtual HRESULT GetRateRatio(PendrelRateRatio* ratio) = 0;

 protected:
  ~ICalcEnum() = default;
};
