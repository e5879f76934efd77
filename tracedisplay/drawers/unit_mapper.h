// UnitMapper: the units a custom-units trace shows instead of its channel's own. A mapper names
// the channel whose unit text it maps and the address flags to ask for it with; MapUnit turns
// that text into the text to show. The two mappers of the analysis preview: the source trace
// keeps its channel's unit, the normalised trace shows standard deviations. A mapper belongs to
// the drawer it is given to.
#pragma once

#include "core/quor_string.h"

namespace PendrelDraw {

class UnitMapper {
 public:
  UnitMapper(LONG channel, DWORD addressFlags) : m_channel(channel), m_addressFlags(addressFlags) {}
  virtual ~UnitMapper() = default;

  // The text to show for `sourceUnit`; `valueOut`, when not null, gets `value`.
  virtual Quor::String MapUnit(const Quor::String& sourceUnit, DWORD value, DWORD* valueOut) const = 0;

  LONG Channel() const { return m_channel; }
  DWORD AddressFlags() const { return m_addressFlags; }

 private:
  LONG m_channel;
  DWORD m_addressFlags;
};

}  // namespace PendrelDraw

namespace Rhyth {

// The source channel's unit, unchanged.
class SourceUnitMapper final : public PendrelDraw::UnitMapper {
 public:
  explicit SourceUnitMapper(LONG channel) : UnitMapper(channel, 1) {}
  Quor::String MapUnit(const Quor::String& sourceUnit, DWORD value, DWORD* valueOut) const override {
    if (valueOut) *valueOut = value;
    return sourceUnit;
  }
};

// A normalised channel: its values are standard deviations, whatever the source's unit.
class PPUNMapper final : public PendrelDraw::UnitMapper {
 public:
  explicit PPUNMapper(LONG channel) : UnitMapper(channel, 0x40000000) {}
  Quor::String MapUnit(const Quor::String&, DWORD value, DWORD* valueOut) const override {
    if (valueOut) *valueOut = value;
    return u"S.D.";
  }
};

}  // namespace Rhyth
