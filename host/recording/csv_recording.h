// Recordings in comma-separated text: a header row whose first column is `time_s`, followed by
// one column per channel, then one row per sample. A column named `<title>_<unit>` with a known
// unit (`MLII_mV`) gives the channel's title and unit. Times must increase on a regular grid;
// the first time is the record's start. Files are read as a stream, row by row, and only the
// samples are kept (as float32), so a day of recording needs no more memory than its samples.
#pragma once

#include <filesystem>
#include <string_view>

#include "host/recording/byte_source.h"
#include "host/recording/recording.h"

namespace PendrelHost {

// Throws RecordingError naming the file (and the line, for a bad row) and the reason.
Recording LoadCsvRecording(const std::filesystem::path& path);

// The same, from text already read; `name` stands for the file in messages.
Recording ParseCsvRecording(std::string_view text, std::string_view name);

// The same, from any source of bytes.
Recording ReadCsvRecording(ByteSource& source);

}  // namespace PendrelHost
