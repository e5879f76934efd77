// The enumerator tests against enumerators that break one rule each: every fault is caught by
// the test meant for it, with its condition and message, and none crashes or hangs the runner.
#include <gtest/gtest.h>

#include <string>

#include "TestSuite/UnitTestHelperLib/rhyth_test_fiducial_enum.h"
#include "TestSuite/UnitTestHelperLib/test_standard_routines.h"
#include "TestSuite/UnitTestHelperLib/tests/fake_enumerators.h"
#include "TestSuite/UnitTestHelperLib/tests/self_test_host.h"
#include "TestSuite/UnitTestHelperLib/unit_test_exception.h"
#include "analysis/detection/fiducial_event.h"
#include "host/module/unit_test_runner.h"

namespace {

using FakeEnumerators::Fault;

// "file, Line n" and the rest: the rest only, so that the table does not follow line numbers.
std::string AfterLine(const std::string& text) {
  const std::string head = "test_standard_routines.cpp, Line ";
  if (text.rfind(head, 0) != 0) return "<" + text + ">";
  std::size_t at = head.size();
  while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) ++at;
  return text.substr(at);
}

struct FaultCase {
  Fault fault;
  const char* test;  // the name's end
  std::string failure;  // what follows the line number
};

TEST(FakeEnumerators, EachBrokenRuleFailsItsTestWithItsText) {
  SelfTestHost::Start();
  const FaultCase cases[] = {
      {Fault::kFalseWithoutEnd, "EventEnumTestNextOffline",
       " [nut==kRecordEndOffset || hr==S_OK], [Bad HResult from Next.]"},
      {Fault::kFalseWithoutEnd, "EventEnumTestNextOnline",
       " [hr==S_OK || nut==kRecordEndOffset], [S_FALSE and kRecordEndOffset must go together.]"},
      {Fault::kShortBuffer, "EventEnumTestNextOffline",
       " [nRetd == numbufelems || nut == endTick || nut == kRecordEndOffset], [nRetd and "
       "nextUnexaminedTick inconsistent in Next.]"},
      {Fault::kOkAtEnd, "EventEnumTestNextOffline",
       " [hr == S_FALSE], [Enumerators should return S_FALSE when out of data and not filling.]"},
      {Fault::kStuckAtRecordEnd, "EventEnumTestNextOffline",
       " [preventinfiniteloop<4], [Enumerator isn't returning kRecordEndOffset at end of record]"},
      {Fault::kUnexpectedResult, "EventEnumTestNextOnline",
       " [hr==S_OK || hr==S_FALSE], [Unexpected HResult from Next]"},
      {Fault::kTickPastData, "EventEnumTestNextOnline",
       " [nut==kRecordEndOffset || nut <= itot], [NextUnusedTick returned by Next is bad.]"},
      {Fault::kEndlessOnline, "EventEnumTestNextOnline",
       ", [Enumerator keeps returning events past the end of its data.]"},
      {Fault::kOneFewerOnline, "EventEnumOnlineOfflineComparison", " [ndx==vec.size()], [Offline found "},
      {Fault::kOneMoreOnline, "EventEnumOnlineOfflineComparison", " [vec.size() > ndx+i]"},
      {Fault::kChangedBeatNumber, "EventEnumOnlineOfflineComparison",
       " [EventHelper::same(buf[i],vec[ndx+i])], [Event #0 differs between online and offline ("},
      {Fault::kTickOffAfterBounce, "EventEnumBounceTest", " [tp1 == tp2], [Bounce gave different result! Peak was at "},
      {Fault::kSeekMissesForward, "EventEnumTestFind", " [hr==S_OK]"},
      {Fault::kSeekMissesBackward, "EventEnumTestFind", " [hr==S_OK]"},
      {Fault::kSeekOkInEmptyRange, "EventEnumTestFind", " [hr==S_FALSE]"},
      {Fault::kPositionShort, "EventEnumTestSetSources",
       " [posok], [Incorrect position after SetSources (16998 instead of 16999 in record with "
       "17000 ticks).]"},
      {Fault::kNoEvents, "EventEnumBounceTest2", " [nn>0]"},
  };
  for (const FaultCase& c : cases) {
    FakeEnumerators::FaultyEnumerators faulty(c.fault);
    const auto outcomes =
        PendrelHost::RunRegisteredTests({.filter = std::string("::") + c.test, .seed = 99});
    // The filter also matches the bounce test's second form; the first listed is the one.
    ASSERT_FALSE(outcomes.empty()) << c.test;
    const auto& outcome = outcomes.front();
    EXPECT_FALSE(outcome.passed) << c.test << " passed with fault " << int(c.fault);
    const std::string tail = AfterLine(outcome.message);
    // Messages that carry figures are compared up to them.
    EXPECT_EQ(tail.substr(0, c.failure.size()), c.failure) << c.test << ", fault " << int(c.fault);
    if (c.failure.back() == ']') {
      EXPECT_EQ(tail, c.failure);
    }
  }
}

TEST(FakeEnumerators, TooFewTicksFailBothRuleChecksAtOnce) {
  SelfTestHost::Start();
  TestFiducialEnumCase config(0, 200, Quor::String(u"sinewave(0.9)"),
                              Rhyth::Rhyth_TestFiducialEnum::ArithString());
  for (auto check : {&TestStandardRoutines::EventEnumTestNextOffline,
                     &TestStandardRoutines::EventEnumTestNextOnline}) {
    try {
      check(config, sizeof(Rhyth::FiducialEvent));
      ADD_FAILURE() << "200 ticks were taken";
    } catch (const UnitTestException& failure) {
      EXPECT_EQ(AfterLine(failure.Text().ToUtf8String()), " [numsamples>200]");
    }
  }
}

}  // namespace
