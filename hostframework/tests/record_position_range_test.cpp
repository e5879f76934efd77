#include "hostframework/eeh3/record_position_range.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace {

using EEH3::RecordPositionRange;

TEST(RecordPositionRange, BuildingFromDoublesRoundsAwayFromZeroAndClamps) {
  const struct {
    double value;
    LONG tick;
  } cases[] = {{2.5, 3},           {-2.5, -3},           {2.4, 2},
               {3e9, kRecordEndOffset}, {-3e9, LONG(0x80000000)}, {std::nan(""), -1}};
  for (const auto& c : cases) {
    EXPECT_EQ(RecordPositionRange::FromDoubles(c.value, 0, 0, 0).startOffset, c.tick) << c.value;
  }
}

TEST(RecordPositionRange, ANaNRangeCountsAsNotSet) {
  const double nan = std::nan("");
  RecordPositionRange range = RecordPositionRange::FromDoubles(nan, nan, nan, nan);
  EXPECT_EQ(range, RecordPositionRange());
  range.Normalise();
  EXPECT_TRUE(range.Contains(0, 0));
  EXPECT_TRUE(range.Contains(kRecordEndOffset - 1, 1000000));
}

TEST(RecordPositionRange, ReadingTakesRecordsFirstAndLeavesWhatIsMissingOpen) {
  const struct {
    const wchar_t* text;
    RecordPositionRange range;  // start offset, start record, end offset, end record
  } cases[] = {
      {L"1 2 3 4", {2, 1, 4, 3}},
      {L"0 0 -1 -1", {0, 0, kRecordEndOffset, kRecordEndOffset}},
      {L"2 5", {5, 2, kRecordEndOffset, kRecordEndOffset}},
      {L"", {0, 0, kRecordEndOffset, kRecordEndOffset}},
      {L"-4 -7 1e12 2.5", {0, 0, 3, kRecordEndOffset}},
  };
  for (const auto& c : cases) {
    std::wistringstream in(c.text);
    RecordPositionRange range;
    ASSERT_TRUE(range.Read(in));
    EXPECT_EQ(range, c.range) << c.text;
  }
  std::wistringstream bad(L"1 x");
  RecordPositionRange range;
  EXPECT_FALSE(range.Read(bad));
}

TEST(RecordPositionRange, ContainsFromTheStartUpToButNotIncludingTheEnd) {
  RecordPositionRange closed{100, 1, 500, 3};
  RecordPositionRange open{100, 1, -1, -1};
  open.Normalise();
  const struct {
    LONG offset, record;
    bool inClosed, inOpen;
  } cases[] = {
      {99, 1, false, false}, {100, 1, true, true},  {5, 0, false, false},
      {0, 2, true, true},    {499, 3, true, true},  {500, 3, false, true},
      {0, 4, false, true},   {7, 1000000, false, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(closed.Contains(c.offset, c.record), c.inClosed) << c.offset << "@" << c.record;
    EXPECT_EQ(open.Contains(c.offset, c.record), c.inOpen) << c.offset << "@" << c.record;
  }
}

}  // namespace
