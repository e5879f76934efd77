#include "TestSuite/UnitTestHelperLib/unit_test_base.h"

#include <new>

#include "TestSuite/UnitTestHelperLib/unit_test_exception.h"
#include "core/xquor.h"

HRESULT UnitTestBase::GetTestCount(DWORD* count) {
  if (!count) return E_FAIL;
  *count = DWORD(m_bodies.size());
  return S_OK;
}

void UnitTestBase::Fail(const Quor::String& message) {
  m_passed = false;
  m_message = message;
}

HRESULT UnitTestBase::RunTest(DWORD index) {
  if (index >= m_bodies.size()) return E_INVALIDARG;
  m_passed = true;
  m_message = Quor::String();
  // Nothing a test throws may reach the host's runner: every exception is the test's failure.
  try {
    SetUp();
    m_bodies[index]();
    TearDown();
  } catch (const UnitTestException& failure) {
    Fail(failure.Text());
  } catch (const XQuor& failure) {
    Fail(failure.GetMessage());
  } catch (const std::bad_alloc&) {
    Fail(Quor::String("Out of memory."));
  } catch (const std::exception& failure) {
    Fail(Quor::String(failure.what()));
  } catch (...) {
    Fail(Quor::String("Unknown exception."));
  }
  return S_OK;
}

HRESULT UnitTestBase::GetTestName(DWORD index, IQuorString** name) {
  if (!name) return E_POINTER;
  *name = nullptr;
  if (index >= m_names.size()) return E_INVALIDARG;
  *name = m_names[index].GetInterface();
  return S_OK;
}

HRESULT UnitTestBase::GetLastResult(VARIANT_BOOL* passed, IQuorString** message) {
  if (!passed || !message) return E_POINTER;
  *passed = m_passed ? VARIANT_TRUE : VARIANT_FALSE;
  *message = m_message.GetInterface();
  return S_OK;
}

HRESULT UnitTestBase::Prepare() {
  // Every call lists the suite once: the runner may prepare again.
  m_bodies.clear();
  m_names.clear();
  m_times.clear();
  try {
    RegisterTests();
  } catch (...) {
    return E_FAIL;
  }
  return S_OK;
}

HRESULT UnitTestBase::GetOwner(IQuorString** author) {
  if (!author) return E_POINTER;
  SetOwner();
  *author = m_author.GetInterface();
  return S_OK;
}

HRESULT UnitTestBase::GetTestTime(DWORD index, double* seconds) {
  if (!seconds) return E_POINTER;
  if (index >= m_times.size()) return E_INVALIDARG;
  *seconds = m_times[index];
  return S_OK;
}

void UnitTestBase::AddTest(TestBody body, const char* name, double seconds) {
  m_bodies.push_back(std::move(body));
  m_names.emplace_back(name);  // narrow text of the ANSI code page
  m_times.push_back(seconds);
}
