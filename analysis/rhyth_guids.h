// The analysis module's GUIDs. Their host ids form the module's type, message, notice and
// command words.
#pragma once

#include "platform/win32/guid.h"

namespace Rhyth {

// The analysis document: its class id, and the family of its type, notice, command and
// message words.
inline constexpr GUID GUID_RhythDocumentObj = win32::ParseGuid("43ed5495-be9a-4a39-8a4f-a91159a209f7");
// The family of the seven view type words.
inline constexpr GUID GUID_RhythViewObj = win32::ParseGuid("918b76b8-a7c1-4080-ba36-f672de5af7ec");
// The family of the beat event type words.
inline constexpr GUID GUID_RhythEnumObj = win32::ParseGuid("2cbc5302-38a3-4fb8-9301-9c3d99d77e70");

}  // namespace Rhyth

namespace Rhyth {

// The channel calculation: the family of its class (0) and settings (1) type words.
inline constexpr GUID GUID_RhythChannelCalc = win32::ParseGuid("b7d3e15a-6c24-4f8e-a091-2e5d7c3b8f46");
// The family of the channel calculation's output type word.
inline constexpr GUID GUID_RhythChannelCalcOutput =
    win32::ParseGuid("e04a9c72-1f5b-4d63-8b2e-93c6a8d1f507");

}  // namespace Rhyth
