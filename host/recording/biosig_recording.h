// Recordings in the formats that Debian's libbiosig reads: EDF, BDF, GDF, MIT/WFDB (through the
// header file) and more. Channels of lower rates arrive at the file's common rate; samples are
// in physical units.
#pragma once

#include <filesystem>

#include "host/recording/recording.h"

namespace PendrelHost {

// Throws RecordingError naming the file and the reason.
Recording LoadBiosigRecording(const std::filesystem::path& path);

}  // namespace PendrelHost
