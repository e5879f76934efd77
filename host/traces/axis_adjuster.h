// The stand-in host's axis adjuster, which is also the axis's scale: it keeps the range, the
// unit and unit name and the auto-scale state of one vertical axis, labels round values of its
// range, and logs every call. A test drives it as the user drags the scale (Drag) or
// double-clicks it (RequestAutoScale); the observer, the band that shows the axis, hears of
// both, and of every other change of the range, as a range in the axis's units. The observer
// is not held: the band owns its adjusters and outlives them.
#pragma once

#include <string>

#include "platform/pendrel/axis_scales.h"
#include "platform/win32/com_object.h"

namespace PendrelHost {

struct AxisPlacement {
  LONG channel = 0;
  LONG xOffset = 0;
  LONG yOffset = 0;
  DWORD flags = 0;
  LONG axis = 1;
};

class AxisAdjuster final
    : public SimpleUnknownImp2<IPendrelAxisAdjuster, IPendrelScaleRange, 0> {
 public:
  explicit AxisAdjuster(const AxisPlacement& placement);

  HRESULT SetRange(const double* range) override;
  HRESULT AutoScale() override;
  HRESULT SetObserver(IDragScaleObserver* observer) override;
  HRESULT SetUnit(const PendrelAxisUnit* unit) override;
  HRESULT SetUnitName(LPCWSTR name) override;
  HRESULT GetRange(double* range) override;
  HRESULT Copy(DWORD flags, IPendrelAxisAdjuster** copy) override;
  HRESULT SetAutoScaling(VARIANT_BOOL on) override;
  HRESULT SetMayAutoScaleNow(VARIANT_BOOL may) override;
  HRESULT SetScaleRect(const RECT* rect) override;
  HRESULT GetTickRows(LONG capacity, double* values, LONG* count) override;

  HRESULT SetRangeAndUnits(const double* range, LONG fixedUnits) override;

  // The user drags the scale by a fraction of its span (positive moves the range up).
  void Drag(double fraction);
  // The user asks for auto-scaling (a double click on the scale).
  void RequestAutoScale(LONG argument);

  const AxisPlacement& Placement() const { return m_placement; }
  const PendrelAxisUnit& Unit() const { return m_unit; }
  const std::u16string& UnitName() const { return m_unitName; }
  bool AutoScaling() const { return m_autoScaling; }
  bool MayAutoScaleNow() const { return m_mayAutoScaleNow; }
  const RECT& ScaleRect() const { return m_rect; }
  IDragScaleObserver* Observer() const { return m_observer; }
  double Low() const { return m_range[0]; }
  double High() const { return m_range[1]; }

 private:
  void Log(std::string_view operation, const std::string& arguments = {}) const;

  AxisPlacement m_placement;
  double m_range[2] = {-1.0, 1.0};
  PendrelAxisUnit m_unit = {0, 1.0, 8};
  std::u16string m_unitName;
  bool m_autoScaling = false;
  bool m_mayAutoScaleNow = false;
  LONG m_fixedUnits = 0;
  RECT m_rect = {};
  IDragScaleObserver* m_observer = nullptr;
};

}  // namespace PendrelHost
