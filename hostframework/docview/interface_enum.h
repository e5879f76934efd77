// QuorCOM::IterEnum: the enumerator a view class hands the host to list the interfaces its
// views offer, over an array of interface ids that outlives it (the class's static table).
// Reference counted by its callers; while one exists the module stays locked in memory, since
// the host may hold it after everything else of the module is gone.
#pragma once

#include "platform/win32/com_object.h"
#include "platform/win32/enum_interface.h"

namespace QuorCOM {

class IterEnum final : public SimpleUnknownImp1<IEnumInterface> {
 public:
  // An enumerator over [first, first + count) at its start, with one reference for the caller.
  static HRESULT CreateInterfaceEnum(const IID* const* first, ULONG count, IEnumInterface** out);

  HRESULT Next(ULONG count, const IID** iids, ULONG* fetched) override;
  HRESULT Skip(ULONG count) override;
  HRESULT Reset() override;
  HRESULT Clone(IEnumInterface** clone) override;

 private:
  IterEnum(const IID* const* first, const IID* const* end, const IID* const* current);
  ~IterEnum() override;

  // How many places from the current one on, at most `count`.
  ULONG Remaining(ULONG count) const;

  const IID* const* m_first;
  const IID* const* m_end;
  const IID* const* m_current;
};

}  // namespace QuorCOM
