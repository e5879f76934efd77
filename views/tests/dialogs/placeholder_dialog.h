// A stand-in for the advanced dialog's window in tests and benchmarks: a top-level window with
// the placeholder control 511 on which the detection preview is placed.
#pragma once

#include "platform/owl/window.h"

struct PlaceholderDialog {
  // The placeholder is `width` by `height`, 20 pixels in from the dialog's corner.
  PlaceholderDialog(int width, int height) {
    dialog.Attr.Style = WS_POPUP | WS_VISIBLE;
    dialog.Attr.W = width + 40;
    dialog.Attr.H = height + 40;
    placeholder.Attr.Id = 511;
    placeholder.Attr.X = 20;
    placeholder.Attr.Y = 20;
    placeholder.Attr.W = width;
    placeholder.Attr.H = height;
  }
  bool Create() { return dialog.Create(); }

  OWL::TWindow dialog{static_cast<OWL::TWindow*>(nullptr)};
  OWL::TWindow placeholder{&dialog};
};
