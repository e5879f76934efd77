// The records of a plot's state messages, as the host keeps them with the document: packed,
// with each string as a pointer to its IQuorString (pointer-sized). After the type word and the
// constant 32 comes a tag that tells the record's kind.
#pragma once

#include "core/iquor_string.h"
#include "hostframework/type_ids.h"

namespace Quor {

inline constexpr GUID GUID_EtchPersist = win32::ParseGuid("9a41c7e5-2d86-4f3b-8e10-c6b35f7a2d94");

template <DWORD N>
using EtchPersistType = TypeIdClass<&GUID_EtchPersist, N>;

using EtchStoredXRangeType = EtchPersistType<0>;
using EtchStoredYRangeType = EtchPersistType<1>;
using EtchRegionPosMsgType = EtchPersistType<2>;
using EtchRegionTextMsgType = EtchPersistType<3>;
using EtchXScalingMsgType = EtchPersistType<4>;
using EtchYScalingMsgType = EtchPersistType<5>;

inline constexpr DWORD kEtchRecordSize = 32;
inline constexpr DWORD kEtchRangeTag = 0x1337;
inline constexpr DWORD kEtchRegionPosTag = 0x3377;
inline constexpr DWORD kEtchRegionTextTag = 0x777;

// The record's modes: an auto-scaled range, and every other state message.
inline constexpr DWORD kEtchAutoScaleMode = 0x100000;
inline constexpr DWORD kEtchStateMode = 0x20;

#pragma pack(push, 1)

// Types 4 and 5 (and, without the auto flag, the received types 0 and 1).
struct EtchRangeRecord {
  DWORD type;
  DWORD size;
  DWORD tag;
  IQuorString* plotId;
  double min;
  double max;
  DWORD autoScale;
};

// Type 2.
struct EtchRegionPosRecord {
  DWORD type;
  DWORD size;
  DWORD tag;
  IQuorString* plotId;
  IQuorString* regionId;
  double xPercent;
  double yPercent;
};

// Type 3.
struct EtchRegionTextRecord {
  DWORD type;
  DWORD size;
  DWORD tag;
  IQuorString* plotId;
  IQuorString* regionId;
  IQuorString* text;
};

#pragma pack(pop)

static_assert(sizeof(void*) == 8, "the records widen their string pointers to 8 bytes");
static_assert(sizeof(EtchRangeRecord) == 40);
static_assert(sizeof(EtchRegionPosRecord) == 44);
static_assert(sizeof(EtchRegionTextRecord) == 36);

}  // namespace Quor
