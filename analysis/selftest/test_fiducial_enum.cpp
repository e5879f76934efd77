#include "analysis/selftest/test_fiducial_enum.h"

namespace Rhyth {

Rhyth_TestFiducialEnum::Rhyth_TestFiducialEnum(DWORD calculationType) {
  m_name = u"Rhyth_TestFiducialEnum";
  m_owner = u"Rhyth";
  m_case.calculationType = calculationType;
}

}  // namespace Rhyth
