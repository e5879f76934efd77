// Opening a recording file by its kind: CSV text by the `.csv` extension, WFDB records by their
// header (`100.hea`, or the signal file `100.dat` beside it) with the host's own reader, and
// EDF, BDF and GDF files through libbiosig once their headers have passed the host's checks.
#pragma once

#include <filesystem>
#include <vector>

#include "host/recording/recording.h"

namespace PendrelHost {

// Throws RecordingError naming the file and the reason.
Recording LoadRecordingFile(const std::filesystem::path& path);

// The files the recording at `path` is read from: the file itself and, for a WFDB record, its
// header and the signal files the header names. A header that cannot be read adds nothing.
std::vector<std::filesystem::path> RecordingFiles(const std::filesystem::path& path);

}  // namespace PendrelHost
