// Opening a recording file by its kind: CSV text by the `.csv` extension, anything else through
// libbiosig. A WFDB record named by its signal file (`100.dat`) is opened through its header.
#pragma once

#include <filesystem>

#include "host/recording/recording.h"

namespace PendrelHost {

// Throws RecordingError naming the file and the reason.
Recording LoadRecordingFile(const std::filesystem::path& path);

}  // namespace PendrelHost
