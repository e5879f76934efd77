// The base of the module's self-test objects: the host's test runner knows a test by its name
// and its owner; a test case record says what the test drives. Reference counted from 0; the
// host's test registry holds the object once registered.
#pragma once

#include <string>
#include <vector>

#include "core/quor_string.h"
#include "platform/pendrel/unit_tests.h"
#include "platform/win32/com_object.h"

class UnitTestBase : public SimpleUnknownImp1<ITarnUnitTest> {
 public:
  HRESULT GetName(BSTR* name) override;

 protected:
  UnitTestBase() = default;

  Quor::String m_owner;
  Quor::String m_name;
  DWORD m_flags = 1;
};
