// What the host checks of a file before libbiosig reads it. The library trusts the fixed
// header of EDF, BDF and GDF files: a record count beyond the data, or a signal count beyond
// the header, makes it spin for minutes or read out of bounds. So only those three formats
// reach it, and only when their headers are whole and consistent: counts and sizes in range,
// known sample types, and a file long enough for every data record the header claims.
#pragma once

#include "host/recording/byte_source.h"

namespace PendrelHost {

// Throws RecordingError "NAME: cannot be read as a recording: REASON" for a file that is not
// EDF, BDF or GDF, or whose header does not hold together. Reads only the headers.
void CheckBiosigFile(ByteSource& file);

}  // namespace PendrelHost
