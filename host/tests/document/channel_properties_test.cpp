// The data document's channel properties: the channel display messages it keeps per channel and
// line, read back by key message; what it refuses to keep.
#include "host/tests/document/document_test_support.h"

#include <cstring>

#include "core/quor_string.h"
#include "host/document/channel_properties.h"
#include "host/framework/host_message.h"

namespace DocumentTest {
namespace {

using ChannelProperties = HostTest;

Tarn::HeldReference<IMessage> Message(DWORD type, const void* block, DWORD bytes) {
  return Tarn::HeldReference<IMessage>(Tarn::NewHostMessage(type, 0, block, bytes));
}

Tarn::HeldReference<IMessage> Key(DWORD type, DWORD channel, DWORD line) {
  const DWORD words[] = {channel, line};
  return Message(type, words, sizeof words);
}

template <class Block>
Block Kept(PendrelHost::ChannelProperties& properties, DWORD type, DWORD channel, DWORD line) {
  Block block{};
  Tarn::HeldReference<IMessage> found(properties.Find(Key(type, channel, line).get()));
  if (!found) return block;
  DWORD bytes = 0;
  std::memcpy(&block, found->GetData(&bytes), sizeof block);
  return block;
}

TEST_F(ChannelProperties, KeepTheLastMessageOfEachChannelAndLine) {
  PendrelHost::ChannelProperties properties;
  struct Line {
    DWORD channel, line;
    COLORREF colour;
  } lines[] = {{3, 1, 10}, {3, 2, 20}, {4, 1, 30}, {3, 1, 40}};
  for (const Line& l : lines) {
    const PendrelLimitLineBlock block{kLimitLineKind, l.channel, l.line, 1, 1, l.colour};
    EXPECT_TRUE(properties.Keep(Message(kChannelLimitLineMsg, &block, sizeof block).get()));
  }
  EXPECT_EQ(Kept<PendrelLimitLineBlock>(properties, kChannelLimitLineMsg, 3, 1).colour, 40u);
  EXPECT_EQ(Kept<PendrelLimitLineBlock>(properties, kChannelLimitLineMsg, 3, 2).colour, 20u);
  EXPECT_EQ(Kept<PendrelLimitLineBlock>(properties, kChannelLimitLineMsg, 4, 1).colour, 30u);
  EXPECT_EQ(properties.Find(Key(kChannelLimitLineMsg, 4, 2).get()), nullptr);
  EXPECT_EQ(properties.Find(Key(kChannelBandMsg, 3, 0).get()), nullptr);
}

TEST_F(ChannelProperties, CopyTheTextsOfALimitValue) {
  PendrelHost::ChannelProperties properties;
  {
    const Quor::String unit(u"BPM"), prefix(u"k");
    const PendrelLimitValueBlock block{kLimitValueKind, 2, 1, 60.0, unit.GetInterface(),
                                       prefix.GetInterface()};
    ASSERT_TRUE(properties.Keep(Message(kChannelLimitValueMsg, &block, sizeof block).get()));
    block.unit->Release();
    block.prefix->Release();
  }
  // The sender's strings are gone; the kept message holds its own.
  const auto kept = Kept<PendrelLimitValueBlock>(properties, kChannelLimitValueMsg, 2, 1);
  EXPECT_EQ(kept.value, 60.0);
  EXPECT_EQ(Quor::String(kept.unit), u"BPM");
  EXPECT_EQ(Quor::String(kept.prefix), u"k");
}

TEST_F(ChannelProperties, RefuseOtherMessagesAndShortOrMislabelledBlocks) {
  PendrelHost::ChannelProperties properties;
  const PendrelBandBlock band{kBandKind, 1, 1, 5, 0, 0, 1, 5};
  EXPECT_FALSE(properties.Keep(Message(kChannelBandMsg, &band, sizeof band - 4).get()));
  PendrelBandBlock mislabelled = band;
  mislabelled.kind = kLimitLineKind;
  EXPECT_FALSE(properties.Keep(Message(kChannelBandMsg, &mislabelled, sizeof band).get()));
  EXPECT_FALSE(properties.Keep(Message(0x80010000, &band, sizeof band).get()));
  EXPECT_FALSE(properties.Keep(nullptr));
  EXPECT_EQ(properties.Find(Key(kChannelBandMsg, 1, 0).get()), nullptr);
  EXPECT_TRUE(properties.Keep(Message(kChannelBandMsg, &band, sizeof band).get()));
  EXPECT_EQ(Kept<PendrelBandBlock>(properties, kChannelBandMsg, 1, 0).last, 5u);
}

}  // namespace
}  // namespace DocumentTest
