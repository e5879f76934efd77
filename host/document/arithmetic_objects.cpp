#include "host/document/arithmetic_objects.h"

#include <mutex>

#include "host/document/arithmetic_calculation.h"
#include "host/document/arithmetic_settings.h"
#include "host/framework/guarded_call.h"
#include "host/framework/held_reference.h"
#include "host/framework/host_object_makers.h"
#include "platform/pendrel/framework_ids.h"

namespace PendrelHost {

namespace {

constexpr DWORD kCalculationNumber = 0;
constexpr DWORD kSettingsNumber = 1;

IUnknown* NewArithmeticObject(DWORD type) {
  switch (type & 0xFFFF) {
    case kCalculationNumber:
      return new ArithmeticCalculation(type & 0xFFFF0000);
    case kSettingsNumber:
      return new ArithmeticSettings;
    default:
      return nullptr;
  }
}

HRESULT MakeArithmeticObject(DWORD type, REFIID iid, void** object) {
  return Tarn::Guarded([&] {
    // Made with one reference, which the caller's interface takes over or the object loses.
    Tarn::HeldReference<IUnknown> made(NewArithmeticObject(type));
    if (!made) return REGDB_E_CLASSNOTREG;
    return made->QueryInterface(iid, object);
  });
}

}  // namespace

void AddArithmeticObjectMaker() {
  static std::once_flag once;
  std::call_once(once, [] { Tarn::AddHostObjectMaker(GUID_TarnArithmetic, MakeArithmeticObject); });
}

}  // namespace PendrelHost
