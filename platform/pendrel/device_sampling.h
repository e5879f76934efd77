// Sampling driven by a device: a data document that a device (or a test standing in for one)
// fills record by record. The device describes its channels, asks whether it can sample, starts
// a record, tells the document as ticks become available and ends the record; the document asks
// each channel's data source for the object that gives the samples. The data document answers
// these interfaces by QueryInterface.
#pragma once

#include "core/iquor_string.h"
#include "platform/pendrel/unit_name.h"
#include "platform/win32/unknown.h"

// Host object type: a new, empty data document (no channels, no records), which a device
// fills through IPendrelSamplingSink.
constexpr DWORD kTarnTypeEmptyDataDocument = 0x80000020;

// A device's channel data: the object that gives a channel's samples, and the record length.
struct IQuorChannelDataSource : IUnknown {
  PLATFORM_INTERFACE_ID("5d1e7a93-0b4c-4f26-9e85-c3a2f6d01b74");
  using Base = IUnknown;
  virtual HRESULT Reserved1() = 0;
  // The object whose calculation gives the samples of `channel` (the host's arithmetic
  // calculation, holding a formula).
  virtual HRESULT GetData(DWORD channel, IUnknown** data) = 0;
  virtual HRESULT Reserved3() = 0;
  virtual HRESULT GetLength2(LONGLONG* ticks) = 0;
  // The ticks of the record the device is sampling.
  virtual HRESULT GetLength(LONGLONG* ticks) = 0;

 protected:
  ~IQuorChannelDataSource() = default;
};

// The sampling interface of a data document, in the order a device calls it.
struct IPendrelSamplingSink : IUnknown {
  PLATFORM_INTERFACE_ID("e8b4c1d7-6a2f-4e09-b3d5-17f9a0c62e8b");
  using Base = IUnknown;
  // One channel of the records to come: its sample period (numerator / denominator seconds),
  // unit, scaling, range (high first) and the source of its samples. `reserved` is null.
  virtual HRESULT DescribeChannel(DWORD channel, VARIANT_BOOL enabled, LONGLONG periodNumerator,
                                  LONGLONG periodDenominator, IUnitName* unit, double scale,
                                  double offset, double rangeHigh, double rangeLow,
                                  IUnknown* reserved, IQuorChannelDataSource* source) = 0;
  // Whether a record can start now, with the reason when it cannot.
  virtual HRESULT CanSample(VARIANT_BOOL* canSample, IQuorString** text) = 0;
  virtual HRESULT PrepareSampling(DWORD flags) = 0;
  // Opens a record starting at `startTime` (calendar seconds) with ticks `tickInterval` seconds
  // apart; the online data sinks hear that sampling starts and the record with it.
  virtual HRESULT StartSampling(IQuorChannelDataSource* source, double tickInterval,
                                double startTime, DWORD value, VARIANT_BOOL notify) = 0;
  // `count` more ticks are available: the document takes their samples and tells its sinks.
  virtual HRESULT TicksAvailable(LONG count) = 0;
  // Closes the record.
  virtual HRESULT EndSampling(DWORD flags, DWORD* result) = 0;
  // Ends the session: the sinks hear that sampling stopped.
  virtual HRESULT StopSampling(VARIANT_BOOL notify) = 0;

 protected:
  ~IPendrelSamplingSink() = default;
};

// A data document's ticks numbered across its records: the sample index of a tick is the ticks
// of the records before it plus the tick.
struct IPendrelSampleIndex : IUnknown {
  PLATFORM_INTERFACE_ID("2a6f9e04-d3b8-4c71-a5e2-8b0c4f17d936");
  using Base = IUnknown;
  virtual HRESULT TickToSampleIndex(LONG record, LONG tick, LONGLONG* index) = 0;
  virtual HRESULT SampleIndexToTick(LONGLONG index, LONG* record, LONG* tick) = 0;

 protected:
  ~IPendrelSampleIndex() = default;
};
