#include "TestSuite/UnitTestHelperLib/rhyth_test_fiducial_enum.h"

#include <locale>

#include "TestSuite/UnitTestHelperLib/test_standard_routines.h"
#include "analysis/calc/channel_calc.h"
#include "analysis/detection/fiducial_event.h"
#include "core/format_stream.h"

namespace Rhyth {

using namespace TestStandardRoutines;

Quor::String Rhyth_TestFiducialEnum::ArithString() {
  // Signal, reference, width 0.1 s, type 0, RR from 0 to 2 s, FF from 0 to 2, no limits,
  // ectopic beats kept.
  Quor::OFormatStringStream formula(
      u"fiducial(%1,%2,%3,%4,%5,%6,%7,%8,%9,%10,%11,%12,%13)");
  formula.Argument().imbue(std::locale::classic());
  formula << u"ch1" << Quor::endarg << u"cmpeakdet(ch1,0.5,0.01,10.0)" << Quor::endarg << 0.1
          << Quor::endarg << 0.0 << Quor::endarg << 0.0 << Quor::endarg << 2.0 << Quor::endarg
          << 0.0 << Quor::endarg << 2.0 << Quor::endarg << 0 << Quor::endarg << 0
          << Quor::endarg << 2147483647 << Quor::endarg << 2147483647 << Quor::endarg << 0.0
          << Quor::endarg;
  return formula.str();
}

void Rhyth_TestFiducialEnum::SetUp() {
  config = TestFiducialEnumCase(ChannelCalc::ClassTypeWord() & 0xFFFF0000u, 600000,
                                Quor::String(u"sinewave(0.9)"), ArithString());
  mEventSize = sizeof(FiducialEvent);
}

void Rhyth_TestFiducialEnum::SetOwner() { SetAuthor(Quor::String(u"Rhyth self-tests")); }

void Rhyth_TestFiducialEnum::RegisterTests() {
  using Event = FiducialEvent;
  AddTest([this] { EventEnumBounceTest<Event>(config, false); },
          "Rhyth_TestFiducialEnum::EventEnumBounceTest", kTestTime);
  AddTest([this] { EventEnumBounceTest<Event>(config, true); },
          "Rhyth_TestFiducialEnum::EventEnumBounceTest2", kTestTime);
  AddTest([this] { EventEnumTestNextOffline(config, mEventSize); },
          "Rhyth_TestFiducialEnum::EventEnumTestNextOffline", kTestTime);
  AddTest([this] { EventEnumTestNextOnline(config, mEventSize); },
          "Rhyth_TestFiducialEnum::EventEnumTestNextOnline", kTestTime);
  AddTest([this] { EventEnumOnlineOfflineComparison<Event>(config); },
          "Rhyth_TestFiducialEnum::EventEnumOnlineOfflineComparison", kTestTime);
  AddTest([this] { EventEnumTestFind<Event>(config); },
          "Rhyth_TestFiducialEnum::EventEnumTestFind", kTestTime);
  AddTest([this] { EventEnumTestSetSources<Event>(config); },
          "Rhyth_TestFiducialEnum::EventEnumTestSetSources", kTestTime);
}

}  // namespace Rhyth
