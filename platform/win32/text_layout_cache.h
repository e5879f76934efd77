// The Pango layouts of a device context's text. A context keeps one Pango context with the
// platform's text settings (96 dots per inch, no antialiasing, full hinting), made on first use,
// and its most recent layouts, so that text drawn again with the same font and layout options
// (measured and then drawn, or repainted) is laid out once. Owned by the device context and
// used on the thread that draws on it; a context that moves to another thread starts afresh.
// Internal to the platform library.
#pragma once

#include <pango/pangocairo.h>
// glib's truth macros would replace the platform's own constants of the same names.
#undef TRUE
#undef FALSE

#include <string>

#include "platform/win32/gdi_internal.h"

namespace win32::gdi {

// How a layout is broken into lines and aligned; the defaults are one unbroken line.
struct LayoutOptions {
  int width = -1;  // Pango units; -1 for no width
  PangoWrapMode wrap = PANGO_WRAP_WORD;
  PangoEllipsizeMode ellipsize = PANGO_ELLIPSIZE_NONE;
  bool singleParagraph = false;
  PangoAlignment alignment = PANGO_ALIGN_LEFT;
  bool operator==(const LayoutOptions&) const = default;
};

// A layout of `text` in the context's selected font, kept for the next call that asks for the
// same; the caller receives a reference of its own and must not change the layout.
PangoLayout* SharedLayout(DeviceContext& dc, const std::u16string& text,
                          const LayoutOptions& options = {});
// A layout made for the caller alone (its one reference), not kept.
PangoLayout* NewLayout(DeviceContext& dc, const std::u16string& text);
// The context's Pango context, brought up to date with its Cairo state; owned by the context.
PangoContext* TextContext(DeviceContext& dc);
// The face name a font asks for.
std::u16string FaceOf(const LOGFONTW& font);
// The Pango description of a font (the caller frees it).
PangoFontDescription* Describe(const LOGFONTW& font);
// The em height in pixels that a font asks for.
double EmPixels(const LOGFONTW& font);

}  // namespace win32::gdi
