// The self-test object as the host's runner sees it through IUnitTest, the failure texts, and
// the generator's cap and index range.
#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "TestSuite/UnitTestHelperLib/ran1.h"
#include "TestSuite/UnitTestHelperLib/rhyth_test_fiducial_enum.h"
#include "TestSuite/UnitTestHelperLib/unit_test_base.h"
#include "TestSuite/UnitTestHelperLib/unit_test_exception.h"
#include "core/com_ptr.h"
#include "core/quor_rational.h"
#include "core/xquor.h"

namespace {

std::string Adopted(IQuorString* text) {
  Quor::String s;
  s.Adopt(text);
  return s.ToUtf8String();
}

// Tests that fail in every way a body can, and one that passes.
class ThrowingTests final : public UnitTestBase {
 protected:
  void RegisterTests() override {
    AddTest([] { UNIT_TEST_CHECK_MESSAGE(1 == 2, Quor::String("one is not two")); }, "check", 1);
    AddTest([] { throw XQuor(Quor::String("the host said no"), 0); }, "xquor", 1);
    AddTest([] { throw std::bad_alloc(); }, "bad_alloc", 1);
    AddTest([] { QuorRational(1, 0); }, "bad_rational", 1);
    AddTest([] { throw 42; }, "int", 1);
    AddTest([] {}, "pass", 1);
  }
  void SetOwner() override { SetAuthor(Quor::String("tests")); }
};

struct LastResult {
  bool passed;
  std::string message;
};

LastResult Last(IUnitTest& test) {
  VARIANT_BOOL passed = VARIANT_FALSE;
  IQuorString* message = nullptr;
  EXPECT_EQ(test.GetLastResult(&passed, &message), S_OK);
  return {passed == VARIANT_TRUE, Adopted(message)};
}

TEST(TestObject, CountsItsTestsOnceTheyArePreparedHoweverOften) {
  Quor::ComPtr<IUnitTest> test(new Rhyth::Rhyth_TestFiducialEnum);
  EXPECT_EQ(test->GetTestCount(nullptr), E_FAIL);
  DWORD count = 99;
  EXPECT_EQ(test->GetTestCount(&count), S_OK);
  EXPECT_EQ(count, 0u);
  for (int i = 0; i < 2; ++i) {
    ASSERT_EQ(test->Prepare(), S_OK);
    EXPECT_EQ(test->GetTestCount(&count), S_OK);
    EXPECT_EQ(count, 7u);
  }
  for (DWORD i = 0; i < count; ++i) {
    double seconds = 0;
    EXPECT_EQ(test->GetTestTime(i, &seconds), S_OK);
    EXPECT_EQ(seconds, 60.0);
  }
  // Indexes at or past the count, and missing out-pointers.
  IQuorString* name = nullptr;
  double seconds = 0;
  EXPECT_EQ(test->RunTest(7), E_INVALIDARG);
  EXPECT_EQ(test->GetTestName(7, &name), E_INVALIDARG);
  EXPECT_EQ(name, nullptr);
  EXPECT_EQ(test->GetTestTime(7, &seconds), E_INVALIDARG);
  EXPECT_EQ(test->GetTestName(0, nullptr), E_POINTER);
  EXPECT_EQ(test->GetTestTime(0, nullptr), E_POINTER);
  EXPECT_EQ(test->GetLastResult(nullptr, &name), E_POINTER);
  EXPECT_EQ(test->GetTestName(6, &name), S_OK);
  EXPECT_EQ(Adopted(name), "Rhyth_TestFiducialEnum::EventEnumTestSetSources");
  IQuorString* owner = nullptr;
  EXPECT_EQ(test->GetOwner(&owner), S_OK);
  EXPECT_FALSE(Adopted(owner).empty());
}

TEST(TestObject, AnswersOnlyItsOwnInterfaces) {
  Quor::ComPtr<IUnitTest> test(new Rhyth::Rhyth_TestFiducialEnum);
  for (const IID& iid : {IUnknown::iid, IUnitTest::iid}) {
    void* face = nullptr;
    EXPECT_EQ(test->QueryInterface(iid, &face), S_OK);
    ASSERT_NE(face, nullptr);
    static_cast<IUnknown*>(face)->Release();
  }
  void* face = reinterpret_cast<void*>(1);
  EXPECT_EQ(test->QueryInterface(ITarnUnitTestRegistry::iid, &face), E_NOINTERFACE);
  EXPECT_EQ(face, nullptr);
}

TEST(TestObject, EveryExceptionIsTheRunsFailureAndAPassResetsIt) {
  Quor::ComPtr<IUnitTest> test(new ThrowingTests);
  EXPECT_TRUE(Last(*test.Get()).passed);
  EXPECT_EQ(Last(*test.Get()).message, "");
  ASSERT_EQ(test->Prepare(), S_OK);
  const char* const messages[] = {"test_object_test.cpp, Line ", "the host said no", "Out of memory.",
                                  "bad rational: zero denominator", "Unknown exception."};
  for (DWORD i = 0; i < std::size(messages); ++i) {
    EXPECT_EQ(test->RunTest(i), S_OK);
    const LastResult failed = Last(*test.Get());
    EXPECT_FALSE(failed.passed) << i;
    EXPECT_EQ(failed.message.rfind(messages[i], 0), 0u) << failed.message;
    EXPECT_EQ(test->RunTest(5), S_OK);
    EXPECT_TRUE(Last(*test.Get()).passed);
    EXPECT_EQ(Last(*test.Get()).message, "");
  }
}

TEST(FailureText, NamesTheFileTheLineAndWhatIsThere) {
  struct Case {
    const char* path;
    const char* condition;
    const char* message;
    const char* text;
  };
  const Case cases[] = {
      {"a/b/routines.cpp", "", "", "routines.cpp, Line 12"},
      {"C:\\src\\adder.cpp", "n>0", "", "adder.cpp, Line 12 [n>0]"},
      {"x\\y/mixed.cpp", "", "no data", "mixed.cpp, Line 12, [no data]"},
      {"plain.cpp", "tp1 == tp2", "Bounce.", "plain.cpp, Line 12 [tp1 == tp2], [Bounce.]"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatFailureText(c.path, 12, c.condition, Quor::String(c.message)).ToUtf8String(),
              c.text);
  }
}

TEST(Ran1, CapsItsDrawsAndKeepsIndexesInRange) {
  EXPECT_EQ(Ran1::Output(2147483646), 0.99999988f);
  EXPECT_EQ(Ran1::Output(1), float(1.0 / 2147483647));
  for (LONG n : {1, 2, 7, 1000}) {
    Ran1 random(-12345);
    LONG low = n, high = -1;
    for (int i = 0; i < 5000; ++i) {
      const LONG index = random.RandomIndex(n);
      low = std::min(low, index);
      high = std::max(high, index);
    }
    EXPECT_EQ(low, 0) << n;
    EXPECT_EQ(high, n - 1) << n;
  }
}

}  // namespace
