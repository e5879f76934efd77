#include "host/traces/axis_adjuster.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "host/framework/call_log.h"
#include "host/framework/host_text.h"

namespace PendrelHost {

namespace {

std::string Range(const double* range) {
  std::ostringstream text;
  text << range[0] << ", " << range[1];
  return text.str();
}

// Pixels between two tick rows at the least.
constexpr LONG kMinimumTickSpacing = 20;

// The round step (1, 2 or 5 times a power of ten) at or above `span`.
double RoundStepAbove(double span) {
  const double decade = std::pow(10.0, std::floor(std::log10(span)));
  for (double factor : {1.0, 2.0, 5.0}) {
    if (factor * decade >= span) return factor * decade;
  }
  return 10.0 * decade;
}

}  // namespace

AxisAdjuster::AxisAdjuster(const AxisPlacement& placement) : m_placement(placement) {}

void AxisAdjuster::Log(std::string_view operation, const std::string& arguments) const {
  Tarn::RecordCall("AxisAdjuster", operation,
                   "axis=" + std::to_string(m_placement.axis) +
                       (arguments.empty() ? "" : ", " + arguments));
}

HRESULT AxisAdjuster::SetRange(const double* range) {
  if (!range) return E_POINTER;
  Log("SetRange", Range(range));
  if (range[0] == m_range[0] && range[1] == m_range[1]) return S_OK;
  m_range[0] = range[0];
  m_range[1] = range[1];
  // The band that shows the axis draws its traces at the new range.
  if (m_observer) m_observer->OnScaleChanged(m_placement.axis, m_range[0], m_range[1]);
  return S_OK;
}

HRESULT AxisAdjuster::AutoScale() {
  Log("AutoScale");
  if (!m_observer) return S_FALSE;
  double range[2] = {};
  VARIANT_BOOL identity = VARIANT_TRUE;
  if (m_observer->GetAxisDataRange(m_placement.axis, range, &identity) != S_OK) return S_FALSE;
  if (!(range[0] < range[1])) return S_FALSE;
  m_range[0] = range[0];
  m_range[1] = range[1];
  m_observer->OnScaleChanged(m_placement.axis, m_range[0], m_range[1]);
  return S_OK;
}

HRESULT AxisAdjuster::SetObserver(IDragScaleObserver* observer) {
  Log("SetObserver", observer ? "observer" : "none");
  m_observer = observer;
  return S_OK;
}

HRESULT AxisAdjuster::SetUnit(const PendrelAxisUnit* unit) {
  if (!unit) return E_POINTER;
  Log("SetUnit", "index=" + std::to_string(unit->index));
  m_unit = *unit;
  return S_OK;
}

HRESULT AxisAdjuster::SetUnitName(LPCWSTR name) {
  m_unitName = name ? std::u16string(name) : std::u16string();
  Log("SetUnitName", Tarn::Utf8(m_unitName));
  return S_OK;
}

HRESULT AxisAdjuster::GetRange(double* range) {
  if (!range) return E_POINTER;
  range[0] = m_range[0];
  range[1] = m_range[1];
  return S_OK;
}

HRESULT AxisAdjuster::Copy(DWORD flags, IPendrelAxisAdjuster** copy) {
  Log("Copy", "flags=" + std::to_string(flags));
  if (!copy) return E_POINTER;
  auto* twin = new AxisAdjuster(m_placement);
  twin->m_range[0] = m_range[0];
  twin->m_range[1] = m_range[1];
  twin->m_unit = m_unit;
  twin->m_unitName = m_unitName;
  twin->m_autoScaling = m_autoScaling;
  twin->m_mayAutoScaleNow = m_mayAutoScaleNow;
  twin->m_fixedUnits = m_fixedUnits;
  twin->m_rect = m_rect;
  twin->AddRef();
  *copy = twin;
  return S_OK;
}

HRESULT AxisAdjuster::SetAutoScaling(VARIANT_BOOL on) {
  Log("SetAutoScaling", on ? "on" : "off");
  m_autoScaling = on != VARIANT_FALSE;
  return S_OK;
}

HRESULT AxisAdjuster::SetMayAutoScaleNow(VARIANT_BOOL may) {
  Log("SetMayAutoScaleNow", may ? "yes" : "no");
  m_mayAutoScaleNow = may != VARIANT_FALSE;
  return S_OK;
}

HRESULT AxisAdjuster::SetScaleRect(const RECT* rect) {
  if (!rect) return E_POINTER;
  Log("SetScaleRect", std::to_string(rect->left) + ", " + std::to_string(rect->top) + ", " +
                          std::to_string(rect->right) + ", " + std::to_string(rect->bottom));
  m_rect = *rect;
  return S_OK;
}

HRESULT AxisAdjuster::GetTickRows(LONG capacity, double* values, LONG* count) {
  if (!values || !count) return E_POINTER;
  *count = 0;
  const double low = std::fmin(m_range[0], m_range[1]);
  const double high = std::fmax(m_range[0], m_range[1]);
  if (capacity <= 0 || !(low < high) || !std::isfinite(high - low)) return S_FALSE;
  // Rows closer than a label's height apart only crowd the lane: a placed scale asks for no more
  // than fit its height at that spacing.
  LONG wanted = capacity;
  if (const LONG height = m_rect.bottom - m_rect.top; height > 0) {
    wanted = std::clamp<LONG>(height / kMinimumTickSpacing, 1, capacity);
  }
  const double step = RoundStepAbove((high - low) / wanted);
  for (double value = std::ceil(low / step) * step; value <= high; value += step) {
    if (*count == capacity) return S_FALSE;
    values[(*count)++] = value;
  }
  return S_OK;
}

HRESULT AxisAdjuster::SetRangeAndUnits(const double* range, LONG fixedUnits) {
  if (!range) return E_POINTER;
  Log("SetRangeAndUnits", Range(range) + ", fixedUnits=" + std::to_string(fixedUnits));
  m_range[0] = range[0];
  m_range[1] = range[1];
  m_fixedUnits = fixedUnits;
  return S_OK;
}

void AxisAdjuster::Drag(double fraction) {
  if (!m_observer) return;
  m_observer->OnDragStart(m_placement.axis, 0);
  const double shift = (m_range[1] - m_range[0]) * fraction;
  m_range[0] += shift;
  m_range[1] += shift;
  m_autoScaling = false;
  m_observer->OnScaleChanged(m_placement.axis, m_range[0], m_range[1]);
  m_observer->OnDragEnd(m_placement.axis, 0);
}

void AxisAdjuster::RequestAutoScale(LONG argument) {
  if (m_observer) m_observer->OnAutoScaleRequest(m_placement.axis, argument);
}

}  // namespace PendrelHost
