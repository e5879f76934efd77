// The selector needs nothing from earlier beats: its state is how far it got.
#pragma once

#include "hostframework/eeh3/state_base.h"

namespace Rhyth {

class SelectorState : public EEH3::StateBase {
 public:
  explicit SelectorState(LONG start) : next(start) {}

  LONG NextPosition() const override { return next; }

  LONG next;
};

}  // namespace Rhyth
