// The extension library's questions for a trace preview, asked of the stand-in host's data
// document: the smallest display size, the stretch and compression a preview starts at, a
// channel's description, and the type word of the host's selection, asked of the id registry
// once.
#include "host/tests/document/document_test_support.h"

#include <optional>
#include <utility>

#include "host/document/host_words.h"
#include "host/tests/document/test_recordings.h"
#include "hostframework/extlib/host_queries.h"

namespace DocumentTest {
namespace {

using PreviewQueries = HostTest;

PendrelHost::DataDocument& Host(IUnknown* document) {
  return *PendrelHost::AsDataDocument(document);
}

TEST_F(PreviewQueries, TheMetricIsTheSmallestDisplaySizeAnd16WithoutADocument) {
  EXPECT_EQ(ExtLib::GetMinHostMetric(nullptr), 16);
  auto document = PendrelHost::OpenDocument(SmallRecording());
  // An object that tells no sizes counts as none.
  EXPECT_EQ(ExtLib::GetMinHostMetric(Host(document.get()).Devices()), 16);

  struct Case {
    PendrelHost::DisplaySizes sizes;
    LONG smallest;
  };
  for (const Case& c : {Case{{18, 20, 24}, 18}, Case{{30, 12, 40}, 12}, Case{{30, 40, 9}, 9},
                        Case{{20, 20, 20}, 20}}) {
    Host(document.get()).SetDisplaySizes(c.sizes);
    Tarn::ClearRecordedCalls();
    EXPECT_EQ(ExtLib::GetMinHostMetric(document.get()), c.smallest);
    EXPECT_EQ(CallsOf("DisplayMetrics"),
              (std::vector<std::string>{"GetLabelHeight()", "GetButtonSize()",
                                        "GetLaneHeight(lane=0)"}));
  }
}

struct Stretch {
  PendrelPosition start{-1, -1}, end{-1, -1};
  double compression = -99.0;
};

Stretch PreviewOf(IUnknown* document) {
  Stretch s;
  ExtLib::ComputePreviewCompression(document, document, &s.start, &s.end, &s.compression);
  return s;
}

TEST_F(PreviewQueries, AShownStretchGetsTheFactorOfItsLength) {
  auto document = PendrelHost::OpenDocument(SmallRecording());
  Host(document.get()).SetShownCompression(7.0);  // not used while there is a stretch
  struct Case {
    LONG ticks;
    double factor;
  };
  for (const Case& c : {Case{1, 1}, Case{400, 1}, Case{401, 2}, Case{2000, 5}, Case{200000, 500},
                        Case{400000, 1000}, Case{400001, 2000}, Case{500000, 2000}}) {
    const PendrelPosition start{100, 0}, end{100 + c.ticks, 0};
    Host(document.get()).SetShownRange(std::pair{start, end});
    const Stretch s = PreviewOf(document.get());
    EXPECT_EQ(s.start, start) << c.ticks;
    EXPECT_EQ(s.end, end) << c.ticks;
    EXPECT_EQ(s.compression, c.factor) << c.ticks;
  }
}

TEST_F(PreviewQueries, WithoutAStretchTheViewsCompressionOrOneIsTaken) {
  auto document = PendrelHost::OpenDocument(SmallRecording());
  struct Case {
    std::optional<std::pair<PendrelPosition, PendrelPosition>> shown;
    std::optional<double> view;
    double compression;
  };
  const PendrelPosition at{50, 0};
  for (const Case& c : {Case{std::nullopt, std::nullopt, 1.0}, Case{std::nullopt, 25.0, 25.0},
                        Case{std::nullopt, -1.0, 1.0}, Case{std::nullopt, -0.5, -0.5},
                        Case{std::pair{at, at}, 3.0, 3.0}, Case{std::pair{at, at}, -0.6, 1.0}}) {
    Host(document.get()).SetShownRange(c.shown);
    Host(document.get()).SetShownCompression(c.view);
    const Stretch s = PreviewOf(document.get());
    EXPECT_EQ(s.compression, c.compression) << (c.view ? *c.view : 0.0);
    EXPECT_EQ(s.start, c.shown ? at : (PendrelPosition{0, 0}));
    EXPECT_EQ(s.end, s.start);
  }
  // Without a document or source: no stretch, compression 1.
  Stretch none;
  ExtLib::ComputePreviewCompression(nullptr, nullptr, &none.start, &none.end, &none.compression);
  EXPECT_EQ(none.compression, 1.0);
  EXPECT_EQ(none.start, (PendrelPosition{0, 0}));
}

TEST_F(PreviewQueries, TheSelectionComesFirstAndCountsAcrossRecords) {
  auto recording = EmptyOpenRecording();
  AppendSmallRecording(*recording, 0, 30);
  recording->CloseRecord(0);
  recording->AddRecord(100.0);
  const std::vector<float> ecg(20, 0.5f), resp(20, 1.0f);
  recording->AppendSamples(1, std::vector<std::span<const float>>{ecg, resp});
  auto document = PendrelHost::OpenDocument(recording);
  Host(document.get()).SetShownRange(std::pair{PendrelPosition{0, 0}, PendrelPosition{2, 1}});
  Host(document.get()).SetShownCompression(7.0);
  ASSERT_EQ(Host(document.get()).Selected().SelectRange({10, 0}, {15, 1}), S_OK);

  Tarn::ClearRecordedCalls();
  const Stretch s = PreviewOf(document.get());
  EXPECT_EQ(s.start, (PendrelPosition{10, 0}));
  EXPECT_EQ(s.end, (PendrelPosition{15, 1}));
  EXPECT_EQ(s.compression, 1.0);  // 20 + 15 ticks, not the view's 7
  EXPECT_EQ(CallsOf("TypedObjects"),
            (std::vector<std::string>{"GetObjectOfType(type=" +
                                      Tarn::HexWord(PendrelHost::HostWord(GUID_TarnCore, 2)) +
                                      ")"}));
  EXPECT_TRUE(CallsOf("ShownRange", "GetShownRange").empty());
}

TEST_F(PreviewQueries, TheSelectionTypeWordIsAskedOfTheRegistryOnce) {
  const DWORD first = ExtLib::GetHostSelectionTypeId();
  Tarn::ClearRecordedCalls();
  EXPECT_EQ(ExtLib::GetHostSelectionTypeId(), first);
  EXPECT_EQ(first, PendrelHost::HostWord(GUID_TarnCore, 2));
  Tarn::ClearRecordedCalls();
  ExtLib::GetHostSelectionTypeId();
  EXPECT_TRUE(CallsOf("IdRegistry").empty());
  EXPECT_EQ(first & 0xFFFF, 2u);
}

TEST_F(PreviewQueries, AChannelsDescriptionFallsBackToAnyRecord) {
  auto document = PendrelHost::OpenDocument(SmallRecording());
  ExtLib::ChannelDataText text;
  ASSERT_TRUE(ExtLib::GetChannelDataText(document.get(), 0, 0, &text));
  EXPECT_EQ(text.name, Quor::String(u"ECG"));
  EXPECT_EQ(text.unit, Quor::String(u"V"));
  EXPECT_EQ(text.prefix, 7);  // milli
  ASSERT_TRUE(ExtLib::GetChannelDataText(document.get(), 0, 1, &text));
  EXPECT_EQ(text.unit, Quor::String(u"l"));
  EXPECT_EQ(text.prefix, 8);

  Tarn::ClearRecordedCalls();
  ASSERT_TRUE(ExtLib::GetChannelDataText(document.get(), 5, 0, &text));
  EXPECT_EQ(text.name, Quor::String(u"ECG"));
  EXPECT_EQ(CallsOf("ChannelDescriptions"),
            (std::vector<std::string>{"GetChannelDescription(channel=0, flags=0x40002000, record=5)",
                                      "GetChannelDescription(channel=0, flags=0x40002000, record=-2)"}));

  ExtLib::ChannelDataText untouched{u"kept", u"kept", 3};
  EXPECT_FALSE(ExtLib::GetChannelDataText(document.get(), 0, 9, &untouched));
  EXPECT_FALSE(ExtLib::GetChannelDataText(nullptr, 0, 0, &untouched));
  EXPECT_EQ(untouched.name, Quor::String(u"kept"));
  EXPECT_EQ(untouched.prefix, 3);
}

}  // namespace
}  // namespace DocumentTest
