#include "TestSuite/UnitTestHelperLib/tests/self_test_host.h"

#include <mutex>

#include "analysis/module/module_registration.h"
#include "host/app/host_application.h"
#include "host/app/host_start.h"
#include "host/document/arithmetic_objects.h"
#include "host/document/document_objects.h"
#include "host/module/unit_test_registry.h"

namespace SelfTestHost {

void Start() {
  static std::once_flag once;
  std::call_once(once, [] {
    PendrelHost::StartHost();
    PendrelHost::AddArithmeticObjectMaker();
    PendrelHost::AddDocumentObjectMakers();
    PendrelHost::UnitTestRegistry::Instance().Publish();
    Rhyth::RegisterModule(static_cast<ITarnHostApp*>(&PendrelHost::HostApplication::Instance()));
  });
}

}  // namespace SelfTestHost
