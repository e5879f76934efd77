// The host's own words and services as the document library reaches them: event words formed
// from the framework's GUID ids, and the framework's event manager, both through the framework
// library's entry.
#pragma once

#include "platform/pendrel/events.h"
#include "platform/pendrel/framework_ids.h"
#include "platform/pendrel/host_events.h"

namespace PendrelHost {

// (the host's id of the GUID << 16) | n.
DWORD HostWord(REFGUID guid, DWORD n);
inline DWORD DataEventWord(DWORD n) { return HostWord(GUID_TarnViewFramework, n); }
inline DWORD ChildDocumentWord(DWORD n) { return HostWord(GUID_TarnChildDocument, n); }
// The host's id of its class of state messages, which documents keep.
inline DWORD StateMessageClass() { return HostWord(GUID_TarnStateMessageClass, 0) >> 16; }

// The framework's event manager, without a reference (the framework lives for the process).
ITarnEventManager* EventManager();

}  // namespace PendrelHost
