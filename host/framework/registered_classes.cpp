#include "host/framework/registered_classes.h"

#include "host/framework/framework_object.h"

namespace Tarn {

std::vector<HeldReference<ITarnClassObject>> RegisteredClassObjects() {
  return FrameworkObject::Instance().ClassObjects();
}

}  // namespace Tarn
