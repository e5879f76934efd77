#include "analysis/selftest/unit_test_base.h"

HRESULT UnitTestBase::GetName(BSTR* name) {
  if (!name) return E_POINTER;
  *name = SysAllocString(m_name.ToStdWString().c_str());
  return S_OK;
}
