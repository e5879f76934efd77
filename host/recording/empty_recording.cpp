#include "host/recording/empty_recording.h"

namespace PendrelHost {

std::shared_ptr<Recording> EmptyRecordingLike(const Recording& source) {
  auto target = std::make_shared<Recording>(source.SampleRate());
  target->SetStartDateTime(source.StartDateTime());
  for (std::size_t channel = 0; channel < source.ChannelCount(); ++channel) {
    target->AddChannel(source.Channel(channel));
  }
  for (std::size_t channel = 0; channel < source.EventChannelCount(); ++channel) {
    target->AddEventChannel(source.EventChannel(channel));
  }
  return target;
}

}  // namespace PendrelHost
