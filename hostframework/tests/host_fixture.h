// Tests against the stand-in host: the host is started once and every test begins with a host
// that knows nothing of earlier tests.
#pragma once

#include <gtest/gtest.h>

#include "host/app/host_application.h"
#include "host/app/host_start.h"
#include "host/framework/call_log.h"
#include "host/framework/framework_reset.h"

class HostFrameworkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    PendrelHost::StartHost();
    Reset();
  }
  void TearDown() override { Reset(); }

 private:
  static void Reset() {
    Tarn::ResetFramework();
    PendrelHost::HostApplication::Instance().Reset();
    Tarn::ClearRecordedCalls();
  }
};
