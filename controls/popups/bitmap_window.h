// A static control showing one bitmap whose top-left pixel colour is transparent, on the dialog
// face colour: the red mark inside the settings warning dialog. The window owns its bitmap and
// its optional overlay painter; it lives as its dialog's child.
#pragma once

#include <memory>

#include "platform/owl/controls.h"
#include "platform/owl/gdi_objects.h"

namespace QuorControls {

// Paints over the bitmap once it is drawn.
class BitmapOverlayPainter {
 public:
  virtual ~BitmapOverlayPainter() = default;
  virtual void Paint(OWL::TDC& dc, const OWL::TRect& rect) = 0;
};

class BitmapWindow : public OWL::TStatic {
 public:
  // How the bitmap sits in the window.
  enum Layout {
    kBottomAligned = 1,
    kCentred = 2,
    kStretched = 3,
    kSizedToBitmap = 4,  // the window takes the bitmap's size at setup
  };
  static constexpr int kControlId = 1002;

  // Bound to control 1002 of the parent; takes the bitmap (null: none).
  BitmapWindow(OWL::TWindow* parent, OWL::TBitmap* bitmap);
  ~BitmapWindow() override;

  void SetupWindow() override;
  void Paint(OWL::TDC& dc, bool erase, OWL::TRect& rect) override;
  void SetOverlayPainter(BitmapOverlayPainter* painter) { m_overlay.reset(painter); }
  void EnableWindow(bool enable) { ::EnableWindow(GetHandle(), enable); }

 private:
  void LayOutSource();

  int m_layout = kSizedToBitmap;
  std::unique_ptr<OWL::TBitmap> m_bitmap;
  OWL::TRect m_source;
  OWL::TRect m_frame;
  std::unique_ptr<BitmapOverlayPainter> m_overlay;
};

}  // namespace QuorControls
