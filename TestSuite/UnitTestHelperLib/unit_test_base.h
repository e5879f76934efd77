// The base of the module's self-test objects, as the host's test runner calls them through
// IUnitTest: a list of named tests with the time each may take, run one at a time with set-up
// and tear-down, the outcome of the last run (passed, or the failure text) and an author text.
// A test body fails only by throwing; whatever it throws is the run's failure, never the
// runner's. Reference counted from 0; the host's test registry holds the object once registered.
#pragma once

#include <functional>
#include <vector>

#include "core/quor_string.h"
#include "platform/pendrel/unit_tests.h"
#include "platform/win32/com_object.h"

class UnitTestBase : public SimpleUnknownImp1<IUnitTest, 0> {
 public:
  using TestBody = std::function<void()>;

  HRESULT GetTestCount(DWORD* count) override;
  HRESULT RunTest(DWORD index) override;
  HRESULT GetTestName(DWORD index, IQuorString** name) override;
  HRESULT GetLastResult(VARIANT_BOOL* passed, IQuorString** message) override;
  HRESULT Prepare() override;
  HRESULT GetOwner(IQuorString** author) override;
  HRESULT GetTestTime(DWORD index, double* seconds) override;

 protected:
  UnitTestBase() = default;
  ~UnitTestBase() override = default;

  // Appends the suite's tests to the (emptied) list.
  virtual void RegisterTests() = 0;
  virtual void SetOwner() = 0;
  virtual void SetUp() {}
  // After every test that did not fail.
  virtual void TearDown() {}

  void AddTest(TestBody body, const char* name, double seconds);
  void SetAuthor(const Quor::String& author) { m_author = author; }

 private:
  void Fail(const Quor::String& message);

  std::vector<TestBody> m_bodies;
  std::vector<Quor::String> m_names;
  std::vector<double> m_times;
  bool m_passed = true;
  Quor::String m_message;
  Quor::String m_author;
};
