// A picture for a person to look at: a data pane of three lanes over the built-in sample
// recording (the ECG, its slope and the heart rate) with the grid, the traces, a mark per beat
// on the ECG and the time axis, painted the way a window is painted and written as PNG into the
// test's output folder. Nothing is compared; the other tests probe the pixels.
#include <cmath>
#include <filesystem>
#include <iostream>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "controls/gdiplus_starter.h"
#include "controls/image_encoder_lookup.h"
#include "host/document/data_document.h"
#include "host/recording/synthetic_ecg.h"
#include "host/traces/axis_adjuster.h"
#include "host/traces/trace_data_source.h"
#include "platform/gdiplus/encoders.h"
#include "platform/gdiplus/image.h"
#include "tracedisplay/drawers/event_drawer.h"
#include "tracedisplay/drawers/graticule_drawer.h"
#include "tracedisplay/drawers/polyline_trace_drawer.h"
#include "tracedisplay/tests/drawing_canvas.h"
#include "tracedisplay/tests/trace_display_test.h"

using namespace PendrelDraw;

namespace {

// 900 data columns at the default 10 ticks per pixel: 18 s at 500 Hz.
constexpr SIZE kPictureSize = {902, 520};
constexpr double kPictureRate = 500.0;
constexpr double kPictureSeconds = 18.0;
constexpr COLORREF kPictureGrid = RGB(150, 170, 210);
constexpr COLORREF kPictureTraces[3] = {RGB(0, 0, 160), RGB(0, 120, 0), RGB(170, 0, 0)};
// Value ranges of the three lanes: mV, mV/s and beats per minute.
constexpr double kPictureRanges[3][2] = {{-0.8, 1.6}, {-15.0, 15.0}, {50.0, 70.0}};
// The slope is taken over this many samples on either side, so that the noise does not hide it.
constexpr std::size_t kPictureSlopeHalfWidth = 5;
constexpr LONG kPictureBeatChannel = 3;  // the event channel follows the three sampled ones

// The sample ECG with its slope and the rate of the beat before each sample, and its beats as
// events.
PendrelHost::Recording PictureRecording() {
  PendrelHost::SyntheticEcgSettings settings;
  settings.sampleRate = kPictureRate;
  settings.duration = kPictureSeconds;
  const PendrelHost::SyntheticEcg ecg = PendrelHost::MakeSyntheticEcg(settings);
  const std::span<const float> samples = ecg.recording.Samples(0, 0);
  std::vector<float> slope(samples.size(), 0.0f), rate(samples.size(), 0.0f);
  const std::size_t h = kPictureSlopeHalfWidth;
  for (std::size_t i = h; i + h < samples.size(); ++i)
    slope[i] = float((samples[i + h] - samples[i - h]) * kPictureRate / double(2 * h));
  std::size_t beat = 0;
  double current = 60.0;
  for (std::size_t i = 0; i < samples.size(); ++i) {
    const double time = double(i) / kPictureRate;
    while (beat + 1 < ecg.beatTimes.size() && ecg.beatTimes[beat + 1] <= time) {
      current = 60.0 / (ecg.beatTimes[beat + 1] - ecg.beatTimes[beat]);
      ++beat;
    }
    rate[i] = float(current);
  }
  PendrelHost::Recording recording(kPictureRate);
  recording.AddChannel({"ECG", "mV"});
  recording.AddChannel({"ECG slope", "mV/s"});
  recording.AddChannel({"Heart rate", "bpm"});
  recording.AddEventChannel({"Beats", ""});
  const std::size_t record = recording.AddRecord(0.0);
  recording.AppendSamples(record, {std::vector<float>(samples.begin(), samples.end()), slope, rate});
  for (const double time : ecg.beatTimes) {
    const double tick = time * kPictureRate;
    recording.AddEvent(record, 0, {int32_t(tick), float(tick - std::floor(tick)), 1.0});
  }
  recording.CloseRecord(record);
  return recording;
}

class SamplePictureTest : public TraceDisplayTest {
 protected:
  // Row = (value + offset) x gain puts the range's top at the lane's first row and its bottom
  // at its last.
  void ScaleLane(LONG lane) {
    const RECT& band = pane->ChannelPaneAt(lane)->rect;
    const double* range = kPictureRanges[lane];
    const double scale[2] = {-double(band.bottom - band.top) / (range[1] - range[0]), -range[1]};
    scales.emplace_back(new PendrelHost::AxisAdjuster({}));
    scales.back()->SetRange(range);
    graticules[lane]->SetTimeRange(1, 0, scale, static_cast<IPendrelAxisAdjuster*>(scales.back().Get()));
    traces[lane]->SetTimeRange(1, 0, scale, nullptr);
  }

  Tarn::HeldReference<IUnknown> document = PendrelHost::OpenDocument(PictureRecording());
  Tarn::HeldReference<IPendrelTraceDataSource> source{PendrelHost::CreateTraceDataSource(document.get())};
  std::unique_ptr<TestPane> pane = std::make_unique<TestPane>(source.get());
  std::vector<Quor::ComPtr<GraticuleDrawer>> graticules;
  std::vector<Quor::ComPtr<PolyLineTraceDrawer>> traces;
  std::vector<Quor::ComPtr<PendrelHost::AxisAdjuster>> scales;
};

// The pixels of a DC's bitmap as a PNG file.
bool WritePicturePng(const DrawingCanvas& canvas, const std::filesystem::path& file) {
  GdiplusStarter gdiplus;
  Gdiplus::Bitmap image(canvas.Width(), canvas.Height());
  for (int y = 0; y < canvas.Height(); ++y) {
    for (int x = 0; x < canvas.Width(); ++x) {
      const COLORREF c = canvas.At(x, y);
      image.SetPixel(x, y, Gdiplus::Color(255, GetRValue(c), GetGValue(c), GetBValue(c)));
    }
  }
  CLSID png{};
  if (!GetEncoderClsid(u"image/png", &png)) return false;
  const std::u16string name = file.u16string();
  return image.Save(reinterpret_cast<const WCHAR*>(name.c_str()), &png) == Gdiplus::Ok;
}

TEST_F(SamplePictureTest, ThreeLanesOfTheSampleAreWrittenAsAPicture) {
  pane->SetLaneCount(3);
  pane->AttachWindow(nullptr, nullptr);
  pane->SetPaneSize(kPictureSize);
  pane->SetBackgroundColour(RGB(255, 255, 255));
  for (LONG lane = 0; lane < 3; ++lane) {
    graticules.emplace_back(new GraticuleDrawer(0, 0, kPictureGrid, 0, lane, 0));
    TraceDrawerInit init;
    init.laneKind = 1;
    init.colour = &kPictureTraces[lane];
    init.channelIndex = lane;
    traces.emplace_back(new PolyLineTraceDrawer(init));
    pane->AddDrawerToPane(0, graticules.back().Get(), lane);
    pane->AddDrawerToPane(0, traces.back().Get(), lane);
  }
  Quor::ComPtr<EventDrawer> beats(new EventDrawer(0, kPictureBeatChannel, 0));
  pane->AddDrawerToPane(0, beats.Get(), 0);
  pane->FlushPendingUpdates();
  for (LONG lane = 0; lane < 3; ++lane) ScaleLane(lane);
  pane->MarkAllForRedraw();

  DrawingCanvas canvas(kPictureSize.cx, kPictureSize.cy);
  pane->Paint(canvas.Dc(), {0, 0, kPictureSize.cx, kPictureSize.cy}, 0);
  // The traces reached the picture: each lane holds its trace colour somewhere.
  for (LONG lane = 0; lane < 3; ++lane) {
    const RECT& band = pane->ChannelPaneAt(lane)->rect;
    bool found = false;
    for (int x = band.left; x < band.right && !found; ++x) {
      for (int y = band.top; y < band.bottom && !found; ++y) found = canvas.At(x, y) == kPictureTraces[lane];
    }
    EXPECT_TRUE(found) << lane;
  }

  const std::filesystem::path folder = std::filesystem::path(testing::TempDir()) / "rhyth-pictures";
  std::filesystem::create_directories(folder);
  const std::filesystem::path file = folder / "sample_three_lanes.png";
  std::filesystem::remove(file);
  ASSERT_TRUE(WritePicturePng(canvas, file));
  ASSERT_TRUE(std::filesystem::exists(file));
  EXPECT_GT(std::filesystem::file_size(file), 0u);
  std::cout << "picture: " << file.string() << "\n";
}

}  // namespace
