// The trace-colour palette, chosen by the screen's colour depth.
#pragma once

#include "platform/pendrel/host_app.h"

struct HostPalette {
  const COLORREF* colours = nullptr;
  int size = 0;    // colours used for default trace colours (basic palettes only)
  int offset = 0;
  const WORD* order = nullptr;  // trace order: trace i takes colours[order[i mod count]]
  int orderCount = 0;
  int orderOffset = 0;
  bool chosen = false;
  bool basic = false;
};

// Chooses the palette: 12 basic colours on a screen of 8 bits or less, else the 20 basic
// colours when `basic` is asked for, else the rich palette. Nothing changes when the palette
// already is of the kind asked for.
void SelectHostPalette(bool basic);
const HostPalette& GetHostPalette();

// The colour of a channel's trace: the source's answer, or without a source the basic palette
// colour of the channel index.
COLORREF GetDefaultTraceColour(ITarnColourSource* source, int channel);

// The colour of trace i in the trace drawer's order.
COLORREF GetTraceOrderColour(int trace);
