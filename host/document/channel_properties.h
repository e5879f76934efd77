// The data document's channel properties: the last channel display message of each kind that a
// module sent for each channel (and each limit line), kept so that the display reads back what
// an analysis asked it to draw. The texts of a limit value message are copied when it is kept:
// the sender's strings may go as soon as the message has been delivered. Lives with its data
// document; not thread-safe, like the document.
#pragma once

#include <map>
#include <tuple>

#include "host/framework/held_reference.h"
#include "platform/pendrel/channel_display.h"

namespace PendrelHost {

class ChannelProperties {
 public:
  // Keeps a channel display message, replacing the one of its kind, channel and line; false
  // (nothing kept) for any other message or a block too short for its kind.
  bool Keep(IMessage* message);
  // The kept message for a key message (type; channel; line, or 0 for the band), with a
  // reference for the caller; null when none is kept.
  IMessage* Find(IMessage* key) const;

 private:
  using Key = std::tuple<DWORD, DWORD, DWORD>;  // type, channel, line
  struct Kept {
    // The texts first, so that they outlive the message that points at them.
    Tarn::HeldReference<IQuorString> unit;
    Tarn::HeldReference<IQuorString> prefix;
    Tarn::HeldReference<IMessage> message;
  };

  bool KeepLimitValue(DWORD type, const PendrelLimitValueBlock& block);
  void Store(const Key& key, Kept kept);

  std::map<Key, Kept> m_kept;
};

}  // namespace PendrelHost
