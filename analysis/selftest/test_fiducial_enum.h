// The module's self-test of its fiducial enumerator, which module registration hands to the
// host's test registry. It names the channel calculation it drives and the generated test
// recording it asks for; the test routines that compare offline and online passes are not
// part of this build, so the host's runner only lists it.
#pragma once

#include <vector>

#include "analysis/selftest/unit_test_base.h"

namespace Rhyth {

class Rhyth_TestFiducialEnum final : public UnitTestBase {
 public:
  // What the test drives, in the order the host's runner reads it.
  struct TestCase {
    DWORD calculationType = 0;
    std::vector<Quor::String> channels;
    std::vector<BYTE> data;
    Quor::String name{u"NOT SET"};
    DWORD seed = 26123;
    DWORD first = 0;
    DWORD count = 3;
    std::vector<Quor::String> moreChannels;
    std::vector<BYTE> moreData;
  };

  explicit Rhyth_TestFiducialEnum(DWORD calculationType);
  const TestCase& Case() const { return m_case; }

 private:
  TestCase m_case;
};

}  // namespace Rhyth
