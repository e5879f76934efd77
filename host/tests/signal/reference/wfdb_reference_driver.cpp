// Prints a recording file as the host reads it, for the independent format checks of
// check_wfdb_formats.py: the rate, then one line of samples per channel.
#include <cstdio>
#include <exception>

#include "host/recording/recording_file.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: wfdb_reference_driver RECORDING\n", stderr);
    return 2;
  }
  try {
    const PendrelHost::Recording recording = PendrelHost::LoadRecordingFile(argv[1]);
    std::printf("%.17g\n", recording.SampleRate());
    for (std::size_t channel = 0; channel < recording.ChannelCount(); ++channel) {
      for (const float sample : recording.Samples(0, channel)) std::printf("%.9g ", double(sample));
      std::printf("\n");
    }
    return 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
}
