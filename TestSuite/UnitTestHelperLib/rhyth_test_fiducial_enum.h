// The module's self-test of its fiducial-point enumerator: the seven enumerator tests over one
// data channel "ch1" of a 0.9 Hz sine at 1000 samples per second, three records of 600000
// ticks, with the host's peak detector as the enumerator's reference. Module registration makes
// one and hands it to the host's test registry.
#pragma once

#include "TestSuite/UnitTestHelperLib/enumerator_test_base.h"

namespace Rhyth {

class Rhyth_TestFiducialEnum final : public ETB {
 public:
  static constexpr double kTestTime = 60.0;

  Rhyth_TestFiducialEnum() = default;

  // The enumerator formula every test drives.
  static Quor::String ArithString();

 protected:
  void RegisterTests() override;
  void SetOwner() override;
  void SetUp() override;
};

}  // namespace Rhyth
