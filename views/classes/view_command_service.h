// The command service of a view type: the host serves commands per GUID, and a view type's GUID
// is the one the host's id registry gave the high half of its type word. The view class asks
// for it when the host initialises the class and keeps it in its command holder.
#pragma once

#include "hostframework/document/command_holder.h"

namespace Rhyth {

// Puts the host's command service for the view type `typeWord` into `holder` (releasing the one
// held before), asked with the class object and the host's argument. The host's answer; on
// failure (an id the registry never gave, a GUID the host does not serve, no host services) the
// holder holds none.
HRESULT QueryViewCommandService(TarnCommandHolder& holder, DWORD typeWord, DWORD argument,
                                IUnknown* classObject);

}  // namespace Rhyth
