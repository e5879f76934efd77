// The host's Tabulon measurement table as a module meets it. The host creates a measurement
// function through the class object of its class, gives it a data source, a channel set and a
// selection, evaluates it and shows the value with its unit and number format. The host object
// a function is created over gives it the record data of its document, the module documents of
// that document, and the host's time of a position.
#pragma once

#include "core/iquor_string.h"
#include "platform/pendrel/class_registry.h"
#include "platform/pendrel/quor_bitset.h"
#include "platform/win32/guid.h"
#include "platform/win32/variant.h"

// The category every Tabulon function class belongs to.
inline constexpr GUID CATID_TabulonFunctionClass =
    win32::ParseGuid("6f0d3b9e-58a4-4c71-b2e6-1d9a7c4e0f35");
// The family of the Tabulon function type words.
inline constexpr GUID GUID_TabulonFunctionFamily =
    win32::ParseGuid("b85e2c71-0a93-4d6f-8e14-7c2f9b3d5a06");

// Evaluate reasons: everything may have changed; the channel or selection changed; the active
// point moved.
constexpr DWORD kTabulonEvaluateAll = 0;
constexpr DWORD kTabulonEvaluateSelection = 1;
constexpr DWORD kTabulonEvaluateActivePoint = 2;

// The id pair a source without an id answers, and the record word of an unset position.
constexpr DWORD kTabulonNoSourceId = 0x801E0000;
constexpr LONG kTabulonNoRecord = 0x7FFFFFFF;

// The flags of the host's time value of a position.
constexpr DWORD kTabulonTimeValueFlags = 0x48000000;

// The record data of a host document, as a Tabulon function reads it: the recording itself, the
// source's id pair, and the titles and units of its channels.
struct IPendrelRecordData : IUnknown {
  PLATFORM_INTERFACE_ID("3c9a1e57-b24d-4f08-9d6e-2a7b0c5f8e13");
  using Base = IUnknown;
  virtual HRESULT GetIdPair(DWORD* first, DWORD* second) = 0;
  // The channel's title text (flags select how it is composed).
  virtual HRESULT GetChannelTitle(DWORD flags, DWORD word, LONG channel, IQuorString** title) = 0;
  // The channel's unit (an IUnitName).
  virtual HRESULT GetChannelUnit(DWORD flags, LONG channel, DWORD reserved, IUnknown** unit) = 0;
  // The recordings the data belongs to.
  virtual HRESULT GetDataSource(IUnknown** source) = 0;

 protected:
  ~IPendrelRecordData() = default;
};

// The host object a Tabulon function is created over.
struct ITabulonHost : IUnknown {
  PLATFORM_INTERFACE_ID("d41f6b28-7e05-4a93-a1c8-5b3e9f2d0c74");
  using Base = IUnknown;
  // The record data object of the document (it answers IPendrelRecordData); one per document,
  // the same object every time.
  virtual HRESULT GetRecordData(IUnknown** data) = 0;
  // Fills `value` with the host's time of the position (offset, record); the reference position
  // and word are those of the selection the function was last given.
  virtual HRESULT FillTimeValue(DWORD reserved, LONGLONG referencePosition, DWORD referenceWord,
                                LONG offset, LONG record, DWORD flags, DWORD reserved2,
                                VARIANT* value) = 0;

 protected:
  ~ITabulonHost() = default;
};

// The module documents of the host document a host object belongs to, by their type words.
struct IPendrelModuleDocuments : IUnknown {
  PLATFORM_INTERFACE_ID("92e7c40a-1b6d-4f35-8a2c-e0d5f7b31964");
  using Base = IUnknown;
  // S_FALSE and null when the document has no module document of that type.
  virtual HRESULT GetModuleDocument(DWORD type, IUnknown** document) = 0;

 protected:
  ~IPendrelModuleDocuments() = default;
};

struct ITabulonFunctionClass2;

// A measurement function, as the table evaluates it.
struct ITabulonFunction : IUnknown {
  PLATFORM_INTERFACE_ID("5a0c8e3f-d6b1-47e2-9f4a-3b8d1c7e6a25");
  using Base = IUnknown;
  // S_FALSE and null unless the value belongs to a channel.
  virtual HRESULT GetChannelUnit(IUnknown** unit) = 0;
  // 0: the display name; 1 and 2: the alternative names.
  virtual HRESULT GetText(LONG index, IQuorString** text) = 0;
  virtual HRESULT GetUnitString(IQuorString** unit) = 0;
  virtual HRESULT Evaluate(DWORD reason, LONG channel, VARIANT* value) = 0;
  virtual HRESULT GetValue(VARIANT* value) = 0;
  virtual HRESULT ClearValue() = 0;
  // Lets go of the host objects.
  virtual HRESULT Detach() = 0;
  virtual HRESULT GetTypeId(DWORD* type) = 0;
  virtual HRESULT GetClassTypeId(DWORD* type) = 0;
  virtual HRESULT GetClass(ITabulonFunctionClass2** classObject) = 0;

 protected:
  ~ITabulonFunction() = default;
};

// The face through which the table gives a function its data and evaluates it.
struct IQuorDataFunction : IUnknown {
  PLATFORM_INTERFACE_ID("c7b25d90-3e4f-4a18-b6d2-8f1e0a9c4b57");
  using Base = IUnknown;
  virtual HRESULT SetSource(LONG_PTR reserved, IPendrelRecordData* source) = 0;
  virtual HRESULT SetChannel(LONG_PTR reserved, IQuorBitset* channels) = 0;
  virtual HRESULT SetSelection(LONG_PTR reserved, LONGLONG position, DWORD word, LONG startOffset,
                               LONG startRecord, LONG endOffset, LONG endRecord) = 0;
  virtual HRESULT SetActivePoint(LONG_PTR reserved, LONGLONG position, DWORD word, LONG offset,
                                 LONG record, DWORD word2, LONG_PTR ignored) = 0;
  virtual HRESULT Evaluate(DWORD reason, LONG channel, DWORD flags, VARIANT* value) = 0;
  virtual HRESULT SetEnabled(BOOL cancel) = 0;
  virtual HRESULT GetChannelUnit(IUnknown** unit) = 0;
  virtual HRESULT GetText(LONG index, IQuorString** text) = 0;
  virtual HRESULT GetUnitString(IQuorString** unit) = 0;
  virtual HRESULT GetValue(VARIANT* value) = 0;
  virtual HRESULT ClearValue() = 0;
  virtual HRESULT Detach() = 0;
  virtual HRESULT GetTypeId(DWORD* type) = 0;
  virtual HRESULT GetClassTypeId(DWORD* type) = 0;
  virtual HRESULT Reserved18() = 0;
  // The number format the value is shown in ("0.0###", "General", "HH:mm:ss.00").
  virtual HRESULT GetNumberFormat(LONG_PTR a, LONG_PTR b, IQuorString** format) = 0;

 protected:
  ~IQuorDataFunction() = default;
};

// The class object of a measurement function.
struct ITabulonFunctionClass2 : ITarnClassObject {
  PLATFORM_INTERFACE_ID("e20a9f64-8c17-4b3d-a5e9-6d4c2b0f7183");
  using Base = ITarnClassObject;
  virtual HRESULT GetCategoryName(LONG index, IQuorString** name) = 0;
  virtual HRESULT GetCategoryCode(LONG index, LONG* code) = 0;
  virtual HRESULT GetName(LONG index, IQuorString** name) = 0;
  virtual HRESULT GetFunctionFlags(LONG index, DWORD* flags) = 0;
  virtual HRESULT GetDescription(LONG index, IQuorString** description) = 0;
  // The two value-flag words.
  virtual HRESULT GetValueFlags(LONG index, DWORD* flags) = 0;
  virtual HRESULT GetSettingsPage(LONG_PTR a, LONG_PTR b, IUnknown** page) = 0;
  virtual HRESULT GetReservedObject(IUnknown** object) = 0;
  // A new function over the host object, with one reference; no aggregation.
  virtual HRESULT CreateFunction(IUnknown* host, LONG_PTR x, IUnknown* outer,
                                 ITabulonFunction** function) = 0;
  virtual HRESULT CreateFunction2(IUnknown* host, LONG_PTR x, LONG_PTR y, IUnknown* outer,
                                  ITabulonFunction** function) = 0;

 protected:
  ~ITabulonFunctionClass2() = default;
};
