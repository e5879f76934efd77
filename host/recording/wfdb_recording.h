// Recordings in the WFDB form: a header file (`100.hea`) and the signal files it names, read by
// the host's own reader. Every signal becomes a channel at the record's sampling frequency, in
// physical units ((sample - baseline) / gain). Records that the host cannot show as one record
// of channels at one rate (multi-segment and multi-frequency records, skewed signals) are
// refused with a message saying which they are, as are signals of gain 0 (uncalibrated), signal
// files shorter or longer than the header says, and checksums that do not match.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/recording/byte_source.h"
#include "host/recording/recording.h"
#include "host/recording/wfdb_header.h"

namespace PendrelHost {

// Opens a signal file by the name its header gives; throws RecordingError when it cannot.
using WfdbFileOpener = std::function<std::unique_ptr<ByteSource>(const std::string& fileName)>;

// Throws RecordingError naming the header file and the reason.
Recording LoadWfdbRecording(const std::filesystem::path& header);

// The signal files a header names, where LoadWfdbRecording reads them; throws RecordingError
// for a header that cannot be read.
std::vector<std::filesystem::path> WfdbSignalFiles(const std::filesystem::path& header);

// The same for a header already parsed; `name` stands for the header in messages.
Recording ReadWfdbRecording(const WfdbHeader& header, std::string_view name,
                            const WfdbFileOpener& open);

}  // namespace PendrelHost
