// What the module tells the host at load, and the host preference it reads.
#include <gtest/gtest.h>

#include "core/tests/quor_string_printer.h"
#include "hostframework/host_preferences.h"
#include "hostframework/pre_release_notice.h"
#include "hostframework/this_module.h"
#include "hostframework/tests/host_fixture.h"

HMODULE HostFrameworkTestResources();

namespace {

using HostNotice = HostFrameworkTest;

TEST(PreReleaseVersion, MarkersInTheVersionTextDecide) {
  struct Case {
    const char16_t* version;
    bool notice;
  } cases[] = {{u"2.1.0 beta 3", true}, {u"2.1 Alpha", true}, {u"2.1 dev", false},
               {u"2.1 final", true},    {u"2.1.0", false},    {u"N/A", false},
               {u"beta N/A", false},    {u"Beta dev", true}};
  for (const Case& c : cases) {
    EXPECT_EQ(IsPreReleaseVersionText(Quor::String(c.version)), c.notice)
        << Quor::String(c.version).ToUtf8String();
  }
}

TEST_F(HostNotice, ABetaModuleTellsTheHostItsDescriptionAndVersion) {
  ExtLib::SetThisModule(HostFrameworkTestResources());
  ShowPreReleaseNotice();
  const auto notices = PendrelHost::HostApplication::Instance().Notices();
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_EQ(notices[0], u"Rhyth test module 2.1.0 beta 3");
}

TEST_F(HostNotice, NoNoticeWhileTheHostIsNotRunningNormally) {
  ExtLib::SetThisModule(HostFrameworkTestResources());
  PendrelHost::HostApplication::Instance().SetRunState(1, 0);
  ShowPreReleaseNotice();
  EXPECT_TRUE(PendrelHost::HostApplication::Instance().Notices().empty());
  ExtLib::SetThisModule(nullptr);
  PendrelHost::HostApplication::Instance().SetRunState(0, 0);
  ShowPreReleaseNotice();  // no version resource: nothing to tell
  EXPECT_TRUE(PendrelHost::HostApplication::Instance().Notices().empty());
}

TEST_F(HostNotice, PopupsMayShowUnlessTheHostSaysOtherwise) {
  EXPECT_TRUE(GetTarnHostBoolPreference());
  EXPECT_EQ(Tarn::CountCalls("ApplicationSettings.GetBoolValue"), 1u);
}

}  // namespace
