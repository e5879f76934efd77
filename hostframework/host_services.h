// Process-wide access to the host's services. Each accessor fetches its object once, on first
// use, and keeps it for the life of the module without a reference of its own: the host keeps
// its services alive. Callers never Release what an accessor returns; a null result means the
// host does not provide the service, and callers then do without it.
#pragma once

#include <string>

#include "platform/pendrel/class_registry.h"
#include "platform/pendrel/events.h"
#include "platform/pendrel/framework_services.h"
#include "platform/pendrel/host_app.h"
#include "platform/pendrel/messages.h"
#include "platform/pendrel/unit_tests.h"

ITarnHostApp* GetTarnHostApp();
ITarnClassRegistry* GetTarnClassRegistry();
ITarnFrameworkService* GetTarnFrameworkService();
ITarnMessageService* GetTarnMessageService();
ITarnMessageFactory* GetTarnMessageFactory();
ITarnIdRegistry* GetTarnIdRegistry();
ITarnEventManager* GetTarnEventManager();
ITarnMessageValueService* GetTarnMessageValueService();
ITarnSharedService* GetTarnSharedService();
ITarnUnitTestRegistry* GetUnitTestRegistry();

// Makes the host framework's class object reachable: when the host has not registered it,
// loads the framework library from the host executable's folder and registers its class
// object. Throws XQuor or XHResult when OLE or the library's class object fails.
void LoadTarnFramework();
void LoadTarnFrameworkLibrary();
// Loads the framework library from `path` and registers its class object. A library without
// the entry is reported to the user and leaves the services unavailable; the host runs on.
void LoadTarnFrameworkLibraryFrom(const std::u16string& path);

// The id the host assigns to a GUID (0 when the host gives none), asked once per GUID by the
// id word templates.
WORD GetTarnGuidId(REFGUID guid);
