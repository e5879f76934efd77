// The seek rule that the module's stream readers share: a position from an origin and an
// offset, clamped to the stream's bytes.
#pragma once

#include "platform/pendrel/stream_reader.h"

namespace Quor {

// The position `offset` bytes from the origin (kQuorSeekCurrent: `position`, kQuorSeekEnd:
// `size`, kQuorSeekStart: 0), clamped to 0..size. E_INVALIDARG for any other origin.
HRESULT ResolveReaderSeek(DWORD position, DWORD size, LONG offset, DWORD origin, DWORD* target);

}  // namespace Quor
