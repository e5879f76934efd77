// Class ids and type codes of the host framework's objects.
#pragma once

#include "platform/win32/guid.h"

// The host framework's class object: it answers the class registry, the framework service,
// the message service, the message factory, the id registry and the event manager.
inline constexpr CLSID CLSID_TarnFrameWork = win32::ParseGuid("ede9883f-9a52-4544-9655-7a2bcf613be8");
// The host application object.
inline constexpr CLSID CLSID_TarnHostApp = win32::ParseGuid("aad53843-7c6d-4a03-9db5-9ef32ffde125");

// GUID of the framework core, whose host id forms the type words of the framework's own
// objects and messages.
inline constexpr GUID GUID_TarnCore = win32::ParseGuid("e206b815-1df1-4b80-851a-0f5fcaa3d79a");

// GUID of the host's arithmetic channel component: (its host id << 16) is the type of the
// arithmetic calculation, | 1 the type of its settings.
inline constexpr GUID GUID_TarnArithmetic = win32::ParseGuid("78036166-03ed-401f-a559-8b35d54be539");

// GUID of the host's data-adder service (units and added data): its type word is
// (host id << 16).
inline constexpr GUID GUID_TarnDataAdder = win32::ParseGuid("74b6e4cb-d47a-4975-99ba-cfe7e9c9d80d");

// GUID of the host's class of state messages (the messages a document keeps, which its store
// gives back by the host id of this GUID).
inline constexpr GUID GUID_TarnStateMessageClass =
    win32::ParseGuid("1563c389-f89d-4ead-aa9b-f1cc44c8cdf0");

// The class category of document classes.
inline constexpr GUID GUID_TarnDocumentClassCategory =
    win32::ParseGuid("c58a2e1f-6b3d-4907-a1e4-9d0f7b3c5e26");

// Type codes of the host objects the class registry creates.
constexpr DWORD kTarnTypeMessageValueService = 0x80000007;
constexpr DWORD kTarnTypeSharedService = 0x8000000A;
constexpr DWORD kTarnTypeViewClassFactory = 0x8000000F;
constexpr DWORD kTarnTypeDocumentObject = 0x80000011;
constexpr DWORD kTarnTypeDocumentClassObject = 0x80000012;
constexpr DWORD kTarnTypeMenuService = 0x80000013;
constexpr DWORD kTarnTypeCommandService = 0x80000014;

// Codes the debug object tracker receives with the objects it is told about.
constexpr DWORD kTarnTrackViewClass = 0x80030000;
constexpr DWORD kTarnTrackViewObject = 0x80030003;
// The same codes for any other tracked object: made, and destroyed.
constexpr DWORD kTarnTrackMade = kTarnTrackViewClass;
constexpr DWORD kTarnTrackDestroyed = kTarnTrackViewObject;

// The name of the framework library, loaded from the host executable's folder.
constexpr const char16_t* kTarnFrameworkLibraryName = u"libTarn.so";
