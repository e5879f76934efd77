// The vertical axes of a trace display. A host scale factory (one per process) makes, per axis,
// an adjuster that is also the axis's scale: it keeps the axis range, its unit and unit name and
// its auto-scale state, answers the rows of tick values it labels, and tells its observer (the
// band that shows the axis) when the user drags it or asks for auto-scaling.
#pragma once

#include "platform/win32/geometry.h"
#include "platform/win32/unknown.h"

// Host object type of the process-wide scale factory.
constexpr DWORD kTarnTypeScaleFactory = 0x80000021;

// A unit prefix as an axis shows it: the letter (0 for none), the factor and the prefix index.
struct PendrelAxisUnit {
  WCHAR letter;
  double factor;
  LONG index;
};

// Implemented by the band that shows an axis; the scale calls it.
struct IDragScaleObserver : IUnknown {
  PLATFORM_INTERFACE_ID("6b0f2d94-c13e-4a7f-8d52-93e7a1b40c68");
  using Base = IUnknown;
  virtual HRESULT OnDragStart(LONG a, LONG b) = 0;
  virtual HRESULT OnDragEnd(LONG axis, LONG value) = 0;
  virtual HRESULT OnScaleChanged(LONG axis, double first, double second) = 0;
  virtual HRESULT OnAutoScaleRequest(LONG axis, LONG argument) = 0;
  // The range of the band's data on the axis; S_OK when some drawer had data, else 1.
  virtual HRESULT GetAxisDataRange(LONG axis, double* range, VARIANT_BOOL* identityUnits) = 0;

 protected:
  ~IDragScaleObserver() = default;
};

struct IPendrelAxisAdjuster : IUnknown {
  PLATFORM_INTERFACE_ID("c8e5a7f0-4d29-4b61-9f3c-2a17e6d85b03");
  using Base = IUnknown;
  // range[0] and range[1] are the axis's two ends.
  virtual HRESULT SetRange(const double* range) = 0;
  virtual HRESULT AutoScale() = 0;
  virtual HRESULT SetObserver(IDragScaleObserver* observer) = 0;
  virtual HRESULT SetUnit(const PendrelAxisUnit* unit) = 0;
  virtual HRESULT SetUnitName(LPCWSTR name) = 0;
  virtual HRESULT GetRange(double* range) = 0;
  // A new adjuster with the same state and one reference for the caller.
  virtual HRESULT Copy(DWORD flags, IPendrelAxisAdjuster** copy) = 0;
  virtual HRESULT SetAutoScaling(VARIANT_BOOL on) = 0;
  virtual HRESULT SetMayAutoScaleNow(VARIANT_BOOL may) = 0;
  // Where the scale draws itself, in the pane's window.
  virtual HRESULT SetScaleRect(const RECT* rect) = 0;
  // The values the scale labels, lowest first: up to `capacity` of them; S_FALSE when more did
  // not fit.
  virtual HRESULT GetTickRows(LONG capacity, double* values, LONG* count) = 0;

 protected:
  ~IPendrelAxisAdjuster() = default;
};

// The range face of a scale, reached by QueryInterface: the range together with whether the
// band's units are fixed.
struct IPendrelScaleRange : IUnknown {
  PLATFORM_INTERFACE_ID("1f4a9c63-7e08-4d2b-b5a6-0c93e8d2f471");
  using Base = IUnknown;
  virtual HRESULT SetRangeAndUnits(const double* range, LONG fixedUnits) = 0;

 protected:
  ~IPendrelScaleRange() = default;
};

// The option face of the source behind a band's drawers of one kind, reached by QueryInterface:
// an owner switches a behaviour of the scale drag on or off with it.
struct IPendrelScaleDragSource : IUnknown {
  PLATFORM_INTERFACE_ID("d47b1e09-6a3c-4f85-9e21-c80f5b3a6d94");
  using Base = IUnknown;
  virtual HRESULT SetOption(DWORD a, VARIANT_BOOL on, LONG value, DWORD b) = 0;

 protected:
  ~IPendrelScaleDragSource() = default;
};

struct IPendrelScaleFactory : IUnknown {
  PLATFORM_INTERFACE_ID("93d6e2b8-0a51-4f7c-a4e9-5b28c1f0d736");
  using Base = IUnknown;
  // An adjuster, which is also the scale, for an axis (1 or 2) of a channel; offsets and flags
  // place and style it.
  virtual HRESULT CreateAdjuster(LONG channel, LONG xOffset, LONG yOffset, DWORD flags, LONG axis,
                                 IPendrelAxisAdjuster** adjuster) = 0;
  // A monochrome (printed) band keeps no scale: the factory only hears of it.
  virtual HRESULT NoteMonochromeAxis(LONG xOffset, LONG yOffset, DWORD flags) = 0;

 protected:
  ~IPendrelScaleFactory() = default;
};
