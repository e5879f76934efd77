// The host's unit-test registry: modules hand it the self-test objects that the host's test
// runner calls. The registry keeps a reference on each until the host shuts down.
#pragma once

#include "core/iquor_string.h"
#include "platform/win32/unknown.h"

// The class object of the host's test registry.
inline constexpr CLSID CLSID_TarnUnitTestRegistry =
    win32::ParseGuid("c3a97e15-28d4-4f6b-b1e0-7f5d2a9c6e38");

// A suite of named tests. The runner calls Prepare, then lists the tests and runs them one at a
// time, reading the outcome of each run with GetLastResult. A failing test never makes an
// operation fail: it is the outcome of the run.
struct IUnitTest : IUnknown {
  PLATFORM_INTERFACE_ID("6e2b8f41-c9a3-4d57-8f12-0a4e7b3d5c96");
  using Base = IUnknown;
  virtual HRESULT GetTestCount(DWORD* count) = 0;
  virtual HRESULT RunTest(DWORD index) = 0;
  virtual HRESULT GetTestName(DWORD index, IQuorString** name) = 0;
  // VARIANT_TRUE when the last run passed; its failure text (empty after a pass).
  virtual HRESULT GetLastResult(VARIANT_BOOL* passed, IQuorString** message) = 0;
  // Builds the list of tests.
  virtual HRESULT Prepare() = 0;
  // Whom to ask about the suite.
  virtual HRESULT GetOwner(IQuorString** author) = 0;
  // The time the test may take, in seconds.
  virtual HRESULT GetTestTime(DWORD index, double* seconds) = 0;

 protected:
  ~IUnitTest() = default;
};

struct ITarnUnitTestRegistry : IUnknown {
  PLATFORM_INTERFACE_ID("9f4c2a63-1e7b-4d85-a3c9-5b0e8d2f7a41");
  using Base = IUnknown;
  virtual HRESULT RegisterTest(IUnitTest* test) = 0;
  // The seed of the random choices of the run under way, so that a failure can be replayed;
  // S_FALSE (and 0) outside a run.
  virtual HRESULT GetRunSeed(LONG* seed) = 0;

 protected:
  ~ITarnUnitTestRegistry() = default;
};
