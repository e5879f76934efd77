#include "platform/win32/cursor.h"

#include <gtest/gtest.h>

TEST(Cursor, SystemCursorsAreDistinctAndOthersAreNull) {
  HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
  HCURSOR wait = LoadCursorW(nullptr, IDC_WAIT);
  EXPECT_NE(arrow, nullptr);
  EXPECT_NE(wait, nullptr);
  EXPECT_NE(arrow, wait);
  EXPECT_EQ(LoadCursorW(nullptr, IDC_WAIT), wait);
  EXPECT_EQ(LoadCursorW(nullptr, MAKEINTRESOURCEW(1)), nullptr);
  EXPECT_EQ(LoadCursorW(reinterpret_cast<HINSTANCE>(1), IDC_ARROW), nullptr);
}

TEST(Cursor, SetCursorAnswersThePreviousShape) {
  HCURSOR before = GetCursor();
  HCURSOR wait = LoadCursorW(nullptr, IDC_WAIT);
  EXPECT_EQ(SetCursor(wait), before);
  EXPECT_EQ(GetCursor(), wait);
  EXPECT_EQ(SetCursor(before), wait);
}

TEST(Cursor, PositionIsKept) {
  ASSERT_TRUE(SetCursorPos(12, -3));
  POINT p{};
  ASSERT_TRUE(GetCursorPos(&p));
  EXPECT_EQ(p.x, 12);
  EXPECT_EQ(p.y, -3);
  EXPECT_FALSE(GetCursorPos(nullptr));
}
