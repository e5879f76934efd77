// How a data pane maps its display lanes to host channels. A pane answers these four questions
// when the bands, drawers and settings ask which channel a lane shows; 0x80000000 is no channel
// and 0xC0000000 no sub-channel. SimplePaneChannelAssoc is the policy of a pane in which lane i
// shows channel i, for as many lanes as the pane has channel panes.
#pragma once

#include "platform/pendrel/data_source.h"

namespace PendrelDraw {

inline constexpr LONG kNoLane = LONG(0x80000000);

class PaneChannelPolicy {
 public:
  // The channel pair that a lane shows.
  virtual PendrelChannelRef ChannelOfLanePair(LONG lane) const = 0;
  // The lane itself when the pane has it, else kNoLane.
  virtual LONG CheckLane(LONG lane) const = 0;
  // A channel pair as the pane shows it: itself, or no channel when no lane shows it. The two
  // operations behave alike; callers ask one or the other by what they hold.
  virtual PendrelChannelRef ChannelOfPair(PendrelChannelRef pair) const = 0;
  virtual PendrelChannelRef ChannelOfSubPair(PendrelChannelRef pair) const = 0;

 protected:
  ~PaneChannelPolicy() = default;
};

// Lane i shows channel i. Pane is the data pane that derives from it (its lane count decides).
template <class Pane>
class SimplePaneChannelAssoc : public PaneChannelPolicy {
 public:
  PendrelChannelRef ChannelOfLanePair(LONG lane) const override {
    return Shown(lane) ? PendrelChannelRef{DWORD(lane), 0xC0000000} : kNoChannel;
  }
  LONG CheckLane(LONG lane) const override { return Shown(lane) ? lane : kNoLane; }
  PendrelChannelRef ChannelOfPair(PendrelChannelRef pair) const override {
    return Shown(LONG(pair.index)) ? pair : kNoChannel;
  }
  PendrelChannelRef ChannelOfSubPair(PendrelChannelRef pair) const override {
    return ChannelOfPair(pair);
  }

 protected:
  ~SimplePaneChannelAssoc() = default;

 private:
  bool Shown(LONG lane) const {
    return lane >= 0 && lane < static_cast<const Pane*>(this)->GetLaneCount();
  }
};

}  // namespace PendrelDraw
