// The data document's name and time texts as the analysis report asks for them: the time
// display mode, a place of the recording as text in elapsed and clock time, and the end of the
// data for an open region.
#include "host/tests/document/document_test_support.h"

#include "host/document/data_document.h"
#include "host/tests/document/test_recordings.h"
#include "platform/pendrel/recording_document.h"

namespace DocumentTest {
namespace {

using TimeTexts = HostTest;

constexpr PendrelTextFormat kDataFormat{kSelectionOfData, 0, 0};

std::u16string TextAt(IPendrelDocumentTimeText* texts, const PendrelTextFormat* format,
                      LONG offset, LONG record, BYTE mode, HRESULT expected = S_OK) {
  IQuorString* text = nullptr;
  EXPECT_EQ(texts->PositionToText(0, format, offset, record, kPositionTextWhole, mode, &text),
            expected);
  Tarn::HeldReference<IQuorString> held(text);
  return text ? Tarn::TextOf(text) : u"<none>";
}

TEST_F(TimeTexts, WritePlacesAsElapsedOrClockTimeAndRefuseOthers) {
  PendrelHost::Recording recording = SmallRecording();  // 200 ticks at kSmallRate
  recording.AddRecord(3723.5);                            // 1:02:03.5 from the start
  const std::vector<float> ecg(10, 0.5f), resp(10, 1.0f);
  recording.AppendSamples(1, std::vector<std::span<const float>>{ecg, resp});
  recording.SetStartDateTime(86400.0 * 10 + 13 * 3600.0);  // 13:00:00 on some day
  auto document = PendrelHost::OpenDocument(std::move(recording));
  auto texts = Face<IPendrelDocumentTimeText>(document.get());

  BYTE mode = 0;
  ASSERT_EQ(texts->GetTimeDisplayMode(&mode), S_OK);
  EXPECT_EQ(mode, kTimeDisplayElapsed);

  const PendrelTextFormat otherKind{kSelectionOfChannels, 0, 0};
  struct Case {
    const PendrelTextFormat* format;
    LONG offset, record;
    BYTE mode;
    HRESULT result;
    std::u16string text;
  } cases[] = {
      {&kDataFormat, 0, 0, kTimeDisplayElapsed, S_OK, u"0:00:00.000"},
      {&kDataFormat, LONG(kSmallRate * 1.5), 0, kTimeDisplayElapsed, S_OK, u"0:00:01.500"},
      {&kDataFormat, 0, 1, kTimeDisplayElapsed, S_OK, u"1:02:03.500"},
      {&kDataFormat, 0, 1, kTimeDisplayClock, S_OK, u"14:02:03.500"},
      {&kDataFormat, 10, 1, kTimeDisplayElapsed, S_OK, u"1:02:03.600"},  // the end of the data
      {&kDataFormat, 11, 1, kTimeDisplayElapsed, E_INVALIDARG, u"<none>"},
      {&kDataFormat, -1, 0, kTimeDisplayElapsed, E_INVALIDARG, u"<none>"},
      {&kDataFormat, 0, 2, kTimeDisplayElapsed, E_INVALIDARG, u"<none>"},
      {&otherKind, 0, 0, kTimeDisplayElapsed, E_INVALIDARG, u"<none>"},
      {nullptr, 0, 0, kTimeDisplayElapsed, E_INVALIDARG, u"<none>"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "offset " << c.offset << " record " << c.record);
    EXPECT_EQ(TextAt(texts.get(), c.format, c.offset, c.record, c.mode, c.result), c.text);
  }
}

TEST_F(TimeTexts, NameTheDocumentAndTellWhereItsDataEnds) {
  auto document = PendrelHost::OpenDocument(SmallRecording());
  auto texts = Face<IPendrelDocumentTimeText>(document.get());
  BSTR name = SysAllocString(u"earlier");
  ASSERT_EQ(texts->GetName(&name), S_OK);
  EXPECT_EQ(name, nullptr);  // unnamed: the earlier text is freed and nothing given
  PendrelHost::AsDataDocument(document.get())->TimeText().SetName(u"Exercise test");
  ASSERT_EQ(texts->GetName(&name), S_OK);
  EXPECT_EQ(std::u16string(name, SysStringLen(name)), u"Exercise test");
  SysFreeString(name);

  LONG end = 0;
  EXPECT_EQ(texts->GetEndPosition(kDataEndPosition, &end), S_OK);
  EXPECT_EQ(end, 200);
  EXPECT_EQ(texts->GetEndPosition(0, &end), E_INVALIDARG);
}

}  // namespace
}  // namespace DocumentTest
