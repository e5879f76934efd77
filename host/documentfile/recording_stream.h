// A recording kept inside a document file: its rate, start, channels, records with their
// samples and events, and the selection, in one stream.
#pragma once

#include "host/recording/recording.h"
#include "platform/win32/stream.h"

namespace PendrelHost {

// Throws DocumentFileError when the stream cannot take it all.
void WriteRecording(const Recording& recording, IStream* stream);
// Throws DocumentFileError for a stream that is damaged, ends early or is of a newer version.
Recording ReadRecording(IStream* stream);

}  // namespace PendrelHost
