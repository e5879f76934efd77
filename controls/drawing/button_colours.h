// The colours of buttons, read from the system once at start-up and kept for the process: each
// both as a COLORREF and as a framework colour. The trace display paints with the face colour.
#pragma once

#include "platform/owl/geometry.h"

enum ButtonColourIndex {
  kButtonText = 0,
  kButtonShadow,
  kButtonFace,
  kButtonHighlight,
  kButtonWhite,
  kButtonWindow,
  kButtonColourCount
};

struct ButtonColour {
  COLORREF value;
  OWL::TColor colour;
};

// Reads the six colours from the system (button text, shadow, face, highlight, white, window).
void LoadButtonColours();
const ButtonColour& GetButtonColour(ButtonColourIndex index);
