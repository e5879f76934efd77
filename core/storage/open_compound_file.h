// Opening an existing compound file: its header, the cluster map of the copy that the selector
// names and every table below the root are read and checked before the engine follows any link
// of them, and nothing is written. A file that fails a check is refused whole.
#pragma once

#include <memory>

#include "core/storage/storage_allocator.h"

namespace QuorCompoundFile {

// Versions below this hold 128-byte records without count words, which this engine does not
// read.
constexpr DWORD kOldestReadableVersion = 22;

// On success the allocator holds the file, with the root's table loaded. A file that is not a
// compound file of this format, or whose header, map, lists or tables are damaged, gives
// STG_E_DOCFILECORRUPT; versions below 22 give STG_E_OLDFORMAT, versions above 29
// STG_E_OLDDLL; a failing read of the lock bytes gives its own code. The time taken is
// proportional to the size of the file.
HRESULT OpenCompoundFile(ILockBytes* lockBytes, DWORD maxMapEntries,
                         std::unique_ptr<StorageAllocator>& allocator);

}  // namespace QuorCompoundFile
