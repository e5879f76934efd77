// Recordings in the formats that Debian's libbiosig reads: EDF, BDF, GDF and more (WFDB records
// have the host's own reader). Channels of lower rates arrive at the file's common rate;
// samples are in physical units.
#pragma once

#include <filesystem>

#include "host/recording/recording.h"

namespace PendrelHost {

// Throws RecordingError naming the file and the reason.
Recording LoadBiosigRecording(const std::filesystem::path& path);

// Whatever libbiosig reads, without the host's checks: only for files known to be sound, as
// when tests hold the host's own readers against the library.
Recording LoadBiosigRecordingUnchecked(const std::filesystem::path& path);

}  // namespace PendrelHost
