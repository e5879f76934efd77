#include "host/framework/framework_reset.h"

#include "host/framework/framework_object.h"

namespace Tarn {

void ResetFramework() { FrameworkObject::Instance().Reset(); }

}  // namespace Tarn
