// The beats the user added and removed by hand, kept with the host's data file.
#pragma once

#include <set>

#include "analysis/data/beat_position.h"
#include "analysis/data/child_data_base.h"
#include "analysis/rhyth_guids.h"
#include "hostframework/type_ids.h"

namespace Rhyth {

// The type word of the user event data among the host document's child data.
using UserEventDataTypeId = TypeIdClass<&GUID_RhythDocumentObj, 2>;

struct IUserEventData : IUnknown {
  PLATFORM_INTERFACE_ID("f6baf854-9078-4eac-9bb0-517ad6067136");
  using Base = IUnknown;
  virtual HRESULT Clear() = 0;
  // S_OK (and -1) when both sets are empty, else S_FALSE (and 0).
  virtual HRESULT IsEmpty(VARIANT_BOOL* empty) = 0;
  // The second set holds the removed beats, the first the added ones.
  virtual HRESULT Add(const BeatPosition* position, BOOL removedSet) = 0;
  virtual HRESULT Remove(const BeatPosition* position, BOOL removedSet) = 0;
  // The first position of the set at or after `position`; S_FALSE and kNoBeatPlace when none.
  virtual HRESULT Find(const BeatPosition* position, BOOL removedSet, BeatPosition* found) = 0;

 protected:
  ~IUserEventData() = default;
};

class UserEventData final : public ChildDataBase<IUserEventData> {
 public:
  using Positions = std::set<BeatPosition>;

  HRESULT GetTypeId(DWORD* type) override;
  HRESULT Duplicate(LONG_PTR, LONG_PTR, LONG_PTR, LONG_PTR, LONG_PTR, LONG_PTR,
                    IPendrelDataChildData** copy) override;

  HRESULT Clear() override;
  HRESULT IsEmpty(VARIANT_BOOL* empty) override;
  HRESULT Add(const BeatPosition* position, BOOL removedSet) override;
  HRESULT Remove(const BeatPosition* position, BOOL removedSet) override;
  HRESULT Find(const BeatPosition* position, BOOL removedSet, BeatPosition* found) override;

  const Positions& Added() const { return m_added; }
  const Positions& Removed() const { return m_removed; }
  void Assign(Positions added, Positions removed);

 private:
  Positions& Set(BOOL removedSet) { return removedSet ? m_removed : m_added; }

  Positions m_added;
  Positions m_removed;
};

}  // namespace Rhyth
