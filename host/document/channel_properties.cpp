#include "host/document/channel_properties.h"

#include <cstring>

#include "core/quor_string.h"
#include "host/framework/host_message.h"
#include "host/framework/host_text.h"

namespace PendrelHost {

namespace {

// The block of a message when it is at least as long as `Block` and carries `kind`.
template <class Block>
bool ReadBlock(IMessage* message, DWORD kind, Block& block) {
  DWORD bytes = 0;
  const void* data = message->GetData(&bytes);
  if (!data || bytes < sizeof(Block)) return false;
  std::memcpy(&block, data, sizeof block);
  return block.kind == kind;
}

Tarn::HeldReference<IQuorString> CopyOf(IQuorString* text) {
  return Tarn::HeldReference<IQuorString>(Quor::String(Tarn::TextOf(text)).GetInterface());
}

template <class Block>
Tarn::HeldReference<IMessage> MessageOf(DWORD type, const Block& block) {
  return Tarn::HeldReference<IMessage>(Tarn::NewHostMessage(type, 0, &block, sizeof block));
}

}  // namespace

bool ChannelProperties::Keep(IMessage* message) {
  if (!message) return false;
  const DWORD type = message->GetMessageId();
  if (type == kChannelLimitValueMsg) {
    PendrelLimitValueBlock block{};
    return ReadBlock(message, kLimitValueKind, block) && KeepLimitValue(type, block);
  }
  if (type == kChannelLimitLineMsg) {
    PendrelLimitLineBlock block{};
    if (!ReadBlock(message, kLimitLineKind, block)) return false;
    Store({type, block.channel, block.line}, {nullptr, nullptr, MessageOf(type, block)});
    return true;
  }
  if (type == kChannelBandMsg) {
    PendrelBandBlock block{};
    if (!ReadBlock(message, kBandKind, block)) return false;
    Store({type, block.channel, 0}, {nullptr, nullptr, MessageOf(type, block)});
    return true;
  }
  return false;
}

bool ChannelProperties::KeepLimitValue(DWORD type, const PendrelLimitValueBlock& block) {
  Kept kept{CopyOf(block.unit), CopyOf(block.prefix), nullptr};
  PendrelLimitValueBlock copy = block;
  copy.unit = kept.unit.get();
  copy.prefix = kept.prefix.get();
  kept.message = MessageOf(type, copy);
  Store({type, block.channel, block.line}, std::move(kept));
  return true;
}

void ChannelProperties::Store(const Key& key, Kept kept) {
  // The earlier message goes before its texts.
  m_kept.erase(key);
  m_kept.emplace(key, std::move(kept));
}

IMessage* ChannelProperties::Find(IMessage* key) const {
  if (!key) return nullptr;
  DWORD bytes = 0;
  const auto* words = static_cast<const DWORD*>(key->GetData(&bytes));
  if (!words || bytes < 2 * sizeof(DWORD)) return nullptr;
  const auto found = m_kept.find({key->GetMessageId(), words[0], words[1]});
  if (found == m_kept.end()) return nullptr;
  IMessage* message = found->second.message.get();
  message->AddRef();
  return message;
}

}  // namespace PendrelHost
