// Recordings in EDF, BDF and GDF, read by Debian's libbiosig after the host has checked their
// headers (biosig_file_check.h): other files never reach the library. Channels of lower rates
// arrive at the file's common rate; samples are in physical units.
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
