// A CSV recording read as a stream. The reader must end with a recording or a RecordingError
// naming the line; any other exception, crash or hang is a finding.
#include <cstdint>

#include "fuzz/fuzz_input.h"
#include "host/recording/csv_recording.h"
#include "host/recording/recording_error.h"

using namespace PendrelHost;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    const auto source = MemoryBytes(RhythFuzz::AsText(data, size), "fuzz.csv");
    const Recording recording = ReadCsvRecording(*source);
    for (std::size_t record = 0; record < recording.RecordCount(); ++record) {
      for (std::size_t channel = 0; channel < recording.ChannelCount(); ++channel) {
        RhythFuzz::Touch(recording.Samples(record, channel));
      }
    }
  } catch (const RecordingError&) {
  }
  return 0;
}
