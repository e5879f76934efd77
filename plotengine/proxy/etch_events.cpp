#include "plotengine/proxy/etch_events.h"

namespace Quor {

WORD GetEtchNotifyTypeSpace() {
  static const WORD space = GetTarnGuidId(GUID_EtchNotify);
  return space;
}

}  // namespace Quor
