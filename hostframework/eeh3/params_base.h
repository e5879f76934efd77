// The parameter block of an enumerator's algorithm. ParamsBaseAutoCopy holds what every copy
// takes over: the limit range, the record and its tick interval. ParamsBase adds the sources of
// the current record and their units, which belong to one block: a copy starts without them,
// and assigning a block keeps the ones it had. An algorithm derives its block from ParamsBase
// and reads, writes and builds its sources.
#pragma once

#include <iosfwd>

#include "core/ci_array.h"
#include "core/iunknown_array.h"
#include "hostframework/eeh3/eeh_source_enum.h"
#include "hostframework/eeh3/record_position_range.h"
#include "platform/pendrel/unit_name.h"

namespace EEH3 {

struct ParamsBaseAutoCopy {
  RecordPositionRange range;  // not set until the parameter text is read
  LONG headWord = 0;          // the number that leads the parameter text
  LONG sourceCount = 0;       // how many source objects the host gave for the record
  double tickInterval = 0.0;  // seconds per tick of the current record
  LONG record = -1;
  LONG reserved = 0;
};

class ParamsBase : public ParamsBaseAutoCopy {
 public:
  static constexpr DWORD kSourceGrowBy = 8;

  ParamsBase();
  ParamsBase(const ParamsBase& other);
  ParamsBase& operator=(const ParamsBase& other);
  virtual ~ParamsBase() = default;

  // The algorithm's part of the parameter text; false when the text is bad. The limit range is
  // part of it where the algorithm has one.
  virtual bool Read(std::wistream& in) = 0;
  virtual void Write(std::wostream& out) const = 0;
  // Wraps the host's source objects, one per channel parameter in parameter order. `objects`
  // holds `count` of them; a missing or null one gives a source without data.
  virtual HRESULT BuildSources(IUnknown* const* objects, LONG count) = 0;

  DWORD SourceCount() const { return m_sources.GetCount(); }
  eeh_SourceEnum* Source(DWORD i) const { return m_sources[i]; }
  // The i-th source as the wrapper type the algorithm built it with.
  template <class W>
  W* SourceAs(DWORD i) const {
    return static_cast<W*>(m_sources[i]);
  }

  // The units of the sources, for an algorithm whose values take a source's unit.
  InterfaceArray<IUnitName>& Units() { return m_units; }
  const InterfaceArray<IUnitName>& Units() const { return m_units; }

  void SetSourceGrowBy(DWORD growBy) {
    m_sources.SetGrowBy(growBy);
    m_units.SetGrowBy(growBy);
  }
  // Replaces the sources with copies of `other`'s, and the units with `other`'s.
  HRESULT CopySourcesFrom(const ParamsBase& other);
  void RemoveSources();

 protected:
  // Takes ownership of `source`, also when adding it fails.
  void AddSource(eeh_SourceEnum* source);

 private:
  CIArray<eeh_SourceEnum, CIArray_CallDelete<eeh_SourceEnum>> m_sources;
  InterfaceArray<IUnitName> m_units;
};

}  // namespace EEH3
