#include "core/byte_buffer.h"

#include <gtest/gtest.h>

TEST(ByteBuffer, GrowingAgainAfterACutGivesZeroBytes) {
  ByteBuffer buffer;
  buffer.Resize(6);
  for (DWORD i = 0; i < 6; ++i) buffer.Data()[i] = BYTE(0xA0 + i);
  buffer.Resize(2);
  EXPECT_EQ(buffer.Size(), 2u);
  buffer.Resize(8);
  ASSERT_EQ(buffer.Size(), 8u);
  const BYTE expected[8] = {0xA0, 0xA1, 0, 0, 0, 0, 0, 0};
  for (DWORD i = 0; i < 8; ++i) EXPECT_EQ(buffer.Data()[i], expected[i]) << "byte " << i;
}
