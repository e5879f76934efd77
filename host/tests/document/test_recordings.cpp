#include "host/tests/document/test_recordings.h"

#include <vector>

namespace DocumentTest {

namespace {

constexpr int64_t kTicks = 200;
constexpr int32_t kMarks[] = {45, 95, 145};

void LayOut(PendrelHost::Recording& recording) {
  recording.AddChannel({"ECG", "mV"});
  recording.AddChannel({"Resp", "l"});
  recording.AddEventChannel({"Marks", "mV"});
}

}  // namespace

void AppendSmallRecording(PendrelHost::Recording& recording, int64_t from, int64_t to) {
  std::vector<float> ecg, resp;
  for (int64_t tick = from; tick < to; ++tick) {
    ecg.push_back(0.01f * static_cast<float>(tick % 50));
    resp.push_back(1.0f);
  }
  const std::vector<std::span<const float>> block{ecg, resp};
  recording.AppendSamples(0, block);
  for (std::size_t i = 0; i < std::size(kMarks); ++i) {
    if (kMarks[i] >= from && kMarks[i] < to)
      recording.AddEvent(0, 0, {kMarks[i], 0.0f, double(i + 1)});
  }
}

PendrelHost::Recording SmallRecording() {
  PendrelHost::Recording recording(kSmallRate);
  LayOut(recording);
  recording.AddRecord(0.0);
  AppendSmallRecording(recording, 0, kTicks);
  recording.CloseRecord(0);
  return recording;
}

std::shared_ptr<PendrelHost::Recording> EmptyOpenRecording() {
  auto recording = std::make_shared<PendrelHost::Recording>(kSmallRate);
  LayOut(*recording);
  recording->AddRecord(0.0);
  return recording;
}

}  // namespace DocumentTest
