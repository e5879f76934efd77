// The analysis preview over the built-in sample, painted as its window shows it: what it draws
// and in which order, how a change of the detection values rebuilds it (while sampling too), and
// where its beat lines stand against the document's own detection and the sample's R peaks.
// Pixels are probed against columns computed from the data; one picture is written for a person
// to look at.
#include "views/dialogs/rhyth_preview_pane.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <iostream>
#include <memory>
#include <set>
#include <vector>

#include "analysis/detection/fiducial_event.h"
#include "analysis/messages/document_messages.h"
#include "analysis/tests/document/analysis_host.h"
#include "host/recording/synthetic_ecg.h"
#include "host/sampling/simulated_sampling_device.h"
#include "host/tests/signal/beat_matching.h"
#include "tracedisplay/drawers/custom_units_trace_drawer.h"
#include "tracedisplay/drawers/event_drawer.h"
#include "tracedisplay/drawers/graticule_drawer.h"
#include "tracedisplay/tests/drawing_canvas.h"
#include "views/dialogs/preview_picture.h"
#include "views/tests/dialogs/placeholder_dialog.h"

namespace PreviewPaneTest {
namespace {

using Rhyth::RhythPreviewPane;

constexpr double kRate = 250.0;
constexpr double kSeconds = 20.0;
constexpr int kPlaceholderWidth = 620;
constexpr int kPlaceholderHeight = 260;
// A column shows a beat line when its grey dots cover at least this share of the lane.
constexpr double kLineShare = 0.3;

PendrelHost::SyntheticEcg Sample() {
  PendrelHost::SyntheticEcgSettings settings;
  settings.sampleRate = kRate;
  settings.duration = kSeconds;
  return PendrelHost::MakeSyntheticEcg(settings);
}

class PreviewPaneSessions : public AnalysisDocumentTest::AnalysisHost {
 protected:
  void SetUp() override {
    AnalysisHost::SetUp();
    Open(ecg.recording);
    AnalysisDocumentTest::AcceptSyntheticBeats(Settings());
    // The host shows the whole sample, so the preview starts with all of it.
    Data().SetShownRange(
        std::pair{PendrelPosition{0, 0}, PendrelPosition{LONG(kSeconds * kRate) - 1, 0}});
    ASSERT_TRUE(window.Create());
  }
  void TearDown() override {
    preview.reset();
    detector.reset();
    AnalysisHost::TearDown();
  }

  // The preview as the advanced dialog makes it: over the host's data, its chain built from the
  // document's settings, then placed.
  RhythPreviewPane& Show(IUnknown* hostData) {
    detector = std::make_unique<Rhyth::PreviewDetector>(hostData);
    preview =
        std::make_unique<RhythPreviewPane>(&window.dialog, *detector, Settings().source, hostData);
    preview->RefreshWithSettings(Edited());
    preview->Attach();
    preview->UpdatePreview();
    return *preview;
  }
  RhythPreviewPane& Show() { return Show(hosted->DataObject()); }

  // The settings the dialog edits: the document's, over all the data.
  Rhyth::Settings& Edited() {
    if (!edited) {
      edited.Attach(Settings().Clone());
      edited->analysis.region = {0, 0, 0x7FFFFFFF, 0x7FFFFFFF};
    }
    return *edited.Get();
  }

  std::unique_ptr<DrawingCanvas> Painted() {
    const SIZE size = preview->Size();
    auto canvas = std::make_unique<DrawingCanvas>(size.cx, size.cy);
    preview->PaintInto(canvas->Dc());
    return canvas;
  }
  // The first lane, where every drawer of the preview draws.
  RECT Lane() const { return preview->DataPane().ChannelPaneAt(0)->rect; }

  // The columns whose grey dots stand over much of the lane: the beat lines.
  std::set<LONG> BeatLines(const DrawingCanvas& canvas) const {
    const RECT lane = Lane();
    std::set<LONG> columns;
    for (LONG x = lane.left; x < lane.right; ++x) {
      LONG grey = 0;
      for (LONG y = lane.top; y < lane.bottom; ++y)
        grey += canvas.At(x, y) == PendrelDraw::kEventLineColour;
      if (grey >= kLineShare * double(lane.bottom - lane.top)) columns.insert(x);
    }
    return columns;
  }

  // The column an event drawer puts a beat at `tick` (and fraction) in, from the view's mapping.
  LONG ColumnOfTick(double tick) const {
    IPendrelTraceDataView* view = preview->DataPane().DataView();
    PendrelTraceRecordInfo info{};
    LONGLONG ticks = 0, pixels = 0;
    EXPECT_EQ(view->GetRecordInformation(0, &info), S_OK);
    EXPECT_EQ(view->GetCompression(&ticks, &pixels), S_OK);
    const PendrelDraw::PreviewDataPane& pane = preview->DataPane();
    const double pixel = double(info.firstPixel) + tick * double(pixels) / double(ticks);
    // The pane's right border stands at its scroll position.
    const LONGLONG rightEdge = pane.PaneWidth() - pane.BorderWidth();
    return LONG(rightEdge - pane.GetScrollPosition() + LONGLONG(std::floor(pixel + 0.5)));
  }
  // The columns of the beats that the lane shows.
  std::set<LONG> ColumnsOf(const std::vector<Rhyth::FiducialEvent>& beats) const {
    const RECT lane = Lane();
    std::set<LONG> columns;
    for (const Rhyth::FiducialEvent& beat : beats) {
      const LONG column = ColumnOfTick(double(beat.position) + double(beat.fraction));
      if (column >= lane.left && column < lane.right) columns.insert(column);
    }
    return columns;
  }

  // Whether the document has a channel of this name, and which.
  bool FindChannel(const char16_t* name, PendrelChannelRef* channel = nullptr) const {
    auto channels = DocumentTest::Face<IPendrelArithmeticChannels>(hosted->DataObject());
    PendrelChannelRef found{};
    IQuorString* text = Quor::String(name).GetInterface();
    const bool there = channels->FindChannel(0, text, &found) == S_OK;
    text->Release();
    if (channel) *channel = found;
    return there;
  }
  // The beats of a fiducial channel in record 0.
  std::vector<Rhyth::FiducialEvent> BeatsOf(PendrelChannelRef channel) const {
    return DocumentTest::ReadEvents<Rhyth::FiducialEvent>(hosted->DataObject(), channel, 0, 64);
  }
  std::vector<Rhyth::FiducialEvent> PreviewBeats() const {
    return BeatsOf(detector->GetFiducialChannel());
  }
  // The beats the document's own detection finds with the settings it holds.
  std::vector<Rhyth::FiducialEvent> DocumentBeats() {
    Send(Rhyth::AnalyzeMsg::Id());
    PendrelChannelRef own{};
    EXPECT_TRUE(FindChannel(u"Rhyth_vFID", &own));
    return BeatsOf(own);
  }

  const PendrelHost::SyntheticEcg ecg = Sample();
  PlaceholderDialog window{kPlaceholderWidth, kPlaceholderHeight};
  Quor::ComPtr<Rhyth::Settings> edited;
  std::unique_ptr<Rhyth::PreviewDetector> detector;
  std::unique_ptr<RhythPreviewPane> preview;
};

TEST_F(PreviewPaneSessions, GridSourceBeatsAndNormalisedTraceInThatOrder) {
  Data().Display().SetChannelColour(0, RGB(0, 90, 160));
  RhythPreviewPane& pane = Show();
  const auto& drawers = pane.Drawers();
  ASSERT_EQ(drawers.size(), 4u);
  const auto* grid = dynamic_cast<PendrelDraw::GraticuleDrawer*>(drawers[0].drawer.Get());
  ASSERT_NE(grid, nullptr);
  EXPECT_EQ(grid->GridColour(), pane.PreferenceColour());
  const auto* source =
      dynamic_cast<PendrelDraw::CustomUnitsPolyLineTraceDrawer*>(drawers[1].drawer.Get());
  ASSERT_NE(source, nullptr);
  EXPECT_EQ(source->Colour(), RGB(0, 90, 160)) << "the host's colour of the source channel";
  EXPECT_FALSE(drawers[1].secondTrace);
  const auto* beats = dynamic_cast<PendrelDraw::EventDrawer*>(drawers[2].drawer.Get());
  ASSERT_NE(beats, nullptr);
  LONG pair[2] = {};
  drawers[2].drawer->GetScale(pair);
  EXPECT_EQ(DWORD(pair[0]), detector->GetFiducialChannel().index);
  const auto* normalised =
      dynamic_cast<PendrelDraw::CustomUnitsPolyLineTraceDrawer*>(drawers[3].drawer.Get());
  ASSERT_NE(normalised, nullptr);
  EXPECT_EQ(normalised->Colour(), RGB(0, 0, 0));
  EXPECT_TRUE(drawers[3].secondTrace) << "the trace control can hide it";
  drawers[3].drawer->GetScale(pair);
  EXPECT_EQ(DWORD(pair[0]), detector->GetNormalisedChannel().index);

  // Its scale reads in standard deviations, whatever the source's unit.
  Quor::ComPtr<IQuorString> unit;
  drawers[3].drawer->GetValueAt(2, 0, Quor::ComPtrOut<IQuorString>::Bind(unit), nullptr);
  ASSERT_TRUE(unit);
  EXPECT_EQ(Quor::String(unit.Get()), Quor::String(u"S.D."));
  EXPECT_EQ(pane.SourceText().unit.ToUtf8String(), "V");
  EXPECT_EQ(pane.SourceText().prefix, 7) << "milli";

  // Both traces reach the picture in their colours, inside the lane.
  const auto canvas = Painted();
  const RECT lane = Lane();
  int sourceInk = 0, normalisedInk = 0;
  for (LONG x = lane.left; x < lane.right; ++x) {
    sourceInk += int(canvas->RowsOf(x, RGB(0, 90, 160)).size());
    normalisedInk += int(canvas->RowsOf(x, RGB(0, 0, 0)).size());
  }
  EXPECT_GT(sourceInk, lane.right - lane.left);
  EXPECT_GT(normalisedInk, lane.right - lane.left);
}

TEST_F(PreviewPaneSessions, WithoutHostDataTheSourceTraceIsPink) {
  RhythPreviewPane& pane = Show(nullptr);
  ASSERT_GE(pane.Drawers().size(), 2u);
  const auto* source =
      dynamic_cast<PendrelDraw::CustomUnitsPolyLineTraceDrawer*>(pane.Drawers()[1].drawer.Get());
  ASSERT_NE(source, nullptr);
  EXPECT_EQ(source->Colour(), RGB(255, 0, 128));
}

TEST_F(PreviewPaneSessions, UnchangedValuesRebuildTheDrawersButNotTheChain) {
  RhythPreviewPane& pane = Show();
  const IPendrelRecordDrawer* before = pane.Drawers()[2].drawer.Get();
  Tarn::ClearRecordedCalls();
  pane.RefreshWithSettings(Edited());
  EXPECT_TRUE(DocumentTest::FormulasReceived().empty());
  EXPECT_EQ(Tarn::CountCalls("Calculation.Reset"), 0u);
  ASSERT_EQ(pane.Drawers().size(), 4u);
  EXPECT_NE(pane.Drawers()[2].drawer.Get(), before) << "new drawers";

  // A changed height sets the two stages it shapes and the beats after them.
  Edited().detection.minPeakHeight = 4.0;
  pane.RefreshWithSettings(Edited());
  const std::vector<std::string> formulas = DocumentTest::FormulasReceived();
  ASSERT_EQ(formulas.size(), 3u);
  EXPECT_EQ(formulas[1].rfind("cmpeakdet(", 0), 0u) << formulas[1];
  EXPECT_EQ(formulas[2].rfind("fiducial(", 0), 0u) << formulas[2];
}

TEST_F(PreviewPaneSessions, ARefreshWhileSamplingRestsTheDeviceAndGoesOn) {
  PendrelHost::AddSimulatedDevice(Data());
  RhythPreviewPane& pane = Show();
  PendrelDraw::PreviewDataPane& data = pane.DataPane();
  data.SetSamplingState(PendrelDraw::kPreviewSampling);
  ASSERT_EQ(data.SamplingState(), PendrelDraw::kPreviewSampling);
  const IUnknown* scratch = data.SamplingDocument();
  ASSERT_NE(scratch, nullptr);

  Tarn::ClearRecordedCalls();
  Edited().detection.levellingWindow = 3.7;
  pane.RefreshWithSettings(Edited());
  const std::vector<std::string> calls = Tarn::RecordedCallTexts();
  const auto at = [&](const std::string& prefix) {
    return std::find_if(calls.begin(), calls.end(),
                        [&](const std::string& call) { return call.rfind(prefix, 0) == 0; }) -
           calls.begin();
  };
  const auto stop = at("SamplingDevice.Stop"), formula = at("ArithmeticSettings.SetTexts"),
             start = at("SamplingDevice.RequestStart");
  ASSERT_LT(stop, std::ptrdiff_t(calls.size()));
  ASSERT_LT(formula, std::ptrdiff_t(calls.size()));
  ASSERT_LT(start, std::ptrdiff_t(calls.size()));
  EXPECT_LT(stop, formula);
  EXPECT_LT(formula, start);
  EXPECT_EQ(data.SamplingState(), PendrelDraw::kPreviewSampling);
  EXPECT_EQ(data.SamplingDocument(), scratch) << "the same scratch document goes on";
  EXPECT_EQ(pane.Drawers().size(), 4u);

  // Not sampling: the device is left alone.
  data.SetSamplingState(PendrelDraw::kPreviewStopped);
  Tarn::ClearRecordedCalls();
  Edited().detection.levellingWindow = 4.0;
  pane.RefreshWithSettings(Edited());
  EXPECT_EQ(Tarn::CountCalls("SamplingDevice.Stop"), 0u);
  EXPECT_EQ(Tarn::CountCalls("SamplingDevice.RequestStart"), 0u);
}

TEST_F(PreviewPaneSessions, BeatLinesStandWhereTheDocumentFindsItsBeats) {
  Show();
  const std::vector<Rhyth::FiducialEvent> own = DocumentBeats();
  ASSERT_GE(own.size(), 15u);
  const std::set<LONG> lines = BeatLines(*Painted());
  EXPECT_EQ(lines, ColumnsOf(own));

  // And near the sample's R peaks: within the detection tests' 50 ms, less than a column here.
  std::vector<double> found;
  for (const Rhyth::FiducialEvent& beat : PreviewBeats())
    found.push_back((double(beat.position) + double(beat.fraction)) / kRate);
  const PendrelHost::Testing::BeatMatch match =
      PendrelHost::Testing::MatchBeats(ecg.beatTimes, found, 0.05);
  EXPECT_EQ(match.matched, ecg.beatTimes.size());
  EXPECT_EQ(match.falseBeats, 0u);
  for (const double peak : ecg.beatTimes) {
    const LONG column = ColumnOfTick(peak * kRate);
    EXPECT_TRUE(lines.count(column) || lines.count(column - 1) || lines.count(column + 1))
        << "R peak at " << peak << " s, column " << column;
  }
}

TEST_F(PreviewPaneSessions, AHigherMinimumPeakHeightRemovesExactlyTheLostBeatsLines) {
  RhythPreviewPane& pane = Show();
  const std::vector<Rhyth::FiducialEvent> all = PreviewBeats();
  const std::set<LONG> allLines = BeatLines(*Painted());
  ASSERT_EQ(allLines, ColumnsOf(all));
  std::vector<Rhyth::FiducialEvent> kept;
  for (double height = 3.5; height <= 40.0; height += 0.5) {
    Edited().detection.minPeakHeight = height;
    pane.RefreshWithSettings(Edited());
    kept = PreviewBeats();
    if (kept.size() < all.size()) break;
  }
  ASSERT_LT(kept.size(), all.size()) << "no height up to 40 S.D. loses a beat";
  ASSERT_FALSE(kept.empty());
  const std::set<LONG> keptLines = BeatLines(*Painted());
  EXPECT_EQ(keptLines, ColumnsOf(kept));
  EXPECT_TRUE(std::includes(allLines.begin(), allLines.end(), keptLines.begin(), keptLines.end()))
      << "no line moved or came new";
}

TEST_F(PreviewPaneSessions, ThePreviewsChannelsGoWithItsDetector) {
  Show();
  EXPECT_TRUE(FindChannel(u"Rhyth_pFID"));
  // The dialog lets its preview go first, then has the detector take its channels away.
  preview.reset();
  EXPECT_TRUE(detector->DeleteChannels());
  for (const char16_t* name : {u"Rhyth_pLPF", u"Rhyth_pDIF", u"Rhyth_pHLB", u"Rhyth_pENV",
                               u"Rhyth_pNRM", u"Rhyth_pDET", u"Rhyth_pFID"}) {
    EXPECT_FALSE(FindChannel(name)) << Quor::String(name).ToUtf8String();
  }
}

TEST_F(PreviewPaneSessions, APreviewNotYetPlacedGivesNoPicture) {
  Rhyth::PreviewDetector unplaced(hosted->DataObject());
  RhythPreviewPane pane(&window.dialog, unplaced, Settings().source, hosted->DataObject());
  const std::filesystem::path file = std::filesystem::path(testing::TempDir()) / "unplaced.png";
  std::filesystem::remove(file);
  EXPECT_FALSE(Rhyth::WritePreviewPicture(pane, file));
  EXPECT_FALSE(std::filesystem::exists(file));
}

TEST_F(PreviewPaneSessions, APictureOfThePreviewIsWritten) {
  // One channel list, and eight seconds, which the preview shows at 5 ticks a pixel.
  Data().SetDisplayChannelCount(1);
  Data().SetShownRange(std::pair{PendrelPosition{0, 0}, PendrelPosition{LONG(8.0 * kRate), 0}});
  Show();
  EXPECT_EQ(BeatLines(*Painted()), ColumnsOf(PreviewBeats()));
  const std::filesystem::path folder = std::filesystem::path(testing::TempDir()) / "rhyth-pictures";
  std::filesystem::create_directories(folder);
  const std::filesystem::path file = folder / "analysis_preview.png";
  std::filesystem::remove(file);
  ASSERT_TRUE(Rhyth::WritePreviewPicture(*preview, file));
  EXPECT_GT(std::filesystem::file_size(file), 0u);
  std::cout << "picture: " << file.string() << "\n";
}

TEST_F(PreviewPaneSessions, TheSourceTraceIsTheLanesFirstDrawerAndSpansItsAxis) {
  Data().Display().SetChannelColour(0, RGB(0, 90, 160));
  RhythPreviewPane& pane = Show();
  // The base's unit prefix finds the source trace as the lane's first drawer.
  Quor::ComPtr<IPendrelRecordDrawer> first;
  pane.DataPane().GetPaneDrawer(0, 0, 1, Quor::ComPtrOut<IPendrelRecordDrawer>::Bind(first));
  ASSERT_EQ(first.Get(), pane.Drawers()[1].drawer.Get());
  EXPECT_EQ(pane.DataPane().ChannelPaneAt(0)->unit[0].index, pane.SourceText().prefix);
  // The axis shows the source's whole range, all of which is in view: the trace reaches the
  // lane's first and last rows and no further. The beat lines and the normalised trace, which
  // cover parts of it, go.
  pane.PreviewWindow().SetShowSecondTrace(false);
  LONG beats[2] = {};
  pane.Drawers()[2].drawer->GetScale(beats);
  pane.DataPane().ChannelPaneAt(0)->RemoveDrawers(0x40000000, beats[0], beats[1]);
  const auto canvas = Painted();
  const RECT lane = Lane();
  LONG top = lane.bottom, bottom = lane.top - 1;
  for (LONG x = lane.left; x < lane.right; ++x) {
    for (const int y : canvas->RowsOf(x, RGB(0, 90, 160))) {
      top = std::min<LONG>(top, y);
      bottom = std::max<LONG>(bottom, y);
    }
  }
  EXPECT_EQ(top, lane.top);
  EXPECT_EQ(bottom, lane.bottom - 1);
}

}  // namespace
}  // namespace PreviewPaneTest
