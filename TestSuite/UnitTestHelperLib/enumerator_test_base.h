// The base of an enumerator's self-test object: the test configuration, rebuilt by the set-up
// before every test so that no test sees another's changes, and the size of one event record.
#pragma once

#include "TestSuite/UnitTestHelperLib/test_fiducial_enum_case.h"
#include "TestSuite/UnitTestHelperLib/unit_test_base.h"

class ETB : public UnitTestBase {
 protected:
  ETB() = default;

  void SetOwner() override { SetAuthor(Quor::String(u"Enumerator self-tests")); }
  void SetUp() override = 0;

  TestFiducialEnumCase config;
  DWORD mEventSize = 0;
};
