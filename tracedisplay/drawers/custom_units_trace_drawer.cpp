#include "tracedisplay/drawers/custom_units_trace_drawer.h"

#include "core/unit_prefix.h"

namespace PendrelDraw {

namespace {

// The address flag every unit text request of a mapper's channel carries.
constexpr DWORD kMapperTextAddress = 0x1000;

}  // namespace

CustomUnitsPolyLineTraceDrawer::CustomUnitsPolyLineTraceDrawer(
    const TraceDrawerInit& init, std::shared_ptr<const UnitMapper> mapper)
    : PolyLineTraceDrawer(init), m_mapper(std::move(mapper)) {}

DrawerBase* CustomUnitsPolyLineTraceDrawer::MakeCopy() const {
  auto* copy = new CustomUnitsPolyLineTraceDrawer(CopyInit(), m_mapper);
  CopyStateTo(*copy);
  return copy;
}

HRESULT CustomUnitsPolyLineTraceDrawer::GetValueAt(LONG laneKind, LONG record, IQuorString** text,
                                                   VARIANT_BOOL* flag) {
  if (text) *text = nullptr;
  if (flag) *flag = VARIANT_FALSE;
  if (laneKind != LaneKind() || channel[0] < 0 || !TraceData() || !m_mapper) return S_FALSE;
  VARIANT_BOOL unitFlag = VARIANT_FALSE;
  TraceData()->GetUnitFlag(AddressWord(false), channel[0], &unitFlag);
  IQuorString* source = nullptr;
  const HRESULT asked = TraceData()->GetUnitText(m_mapper->AddressFlags() | kMapperTextAddress,
                                                 record, m_mapper->Channel(), &source);
  Quor::String sourceText;
  if (source) sourceText.Attach(source);
  if (text) *text = m_mapper->MapUnit(sourceText, 1, nullptr).GetInterface();
  const bool flagged = unitFlag != VARIANT_FALSE || asked != S_OK;
  if (flag) *flag = flagged ? VARIANT_BOOL(0xFFFF) : VARIANT_BOOL(0);
  return flagged ? S_OK : S_FALSE;
}

HRESULT CustomUnitsPolyLineTraceDrawer::HitTest(LONG laneKind, LONG record, IQuorString** text,
                                                VARIANT_BOOL* flag, double* range,
                                                double* secondRange, double* value) {
  if (text) *text = nullptr;
  if (laneKind != LaneKind() || channel[0] < 0 || !TraceData() || !m_mapper) return S_FALSE;
  const DWORD units = UnitsAddress();
  ReadUnitFlag(units, flag);
  if (range || secondRange) {
    if (const auto object = ChannelObject(units, record, m_mapper->Channel())) {
      DWORD prefix = kHostUnitPrefixNone;
      Quor::ComPtr<IUnitName> unit;
      object->GetUnit(units, Quor::ComPtrOut<IUnitName>::Bind(unit));
      if (unit) unit->GetPrefix(&prefix);
      DWORD mapped = prefix;
      m_mapper->MapUnit(Quor::String(), prefix, &mapped);
      const double factor = UnitPrefixScale(UnitPrefixLetter(mapped));
      if (range) {
        if (paneValue == 0) {
          range[0] = factor;
          range[1] = 0.0;
        } else {
          object->GetMappingFor(units, range);
        }
      }
      if (value) *value = factor;
      if (secondRange) object->GetMappingFor(paneValue != 0 ? DrawingAddress() : units, secondRange);
    }
  }
  return TraceData()->GetUnitText(m_mapper->AddressFlags(), record, m_mapper->Channel(), text);
}

}  // namespace PendrelDraw
