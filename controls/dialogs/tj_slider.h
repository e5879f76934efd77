// A horizontal slider that tells its dialog while the thumb is dragged, so the dialog can update
// a live preview: each thumb-track event is handed straight to the dialog as WM_NOTIFY with code
// 768, and the dialog reads the position back; letting the thumb go is told with code 769, so
// the dialog can do the slow work once, at the end. Without a dialog to tell, a plain slider.
#pragma once

#include "platform/owl/controls.h"

class TJSlider : public OWL::THSlider {
 public:
  static constexpr UINT kThumbTrackNotification = 0x300;
  static constexpr UINT kEndTrackNotification = 0x301;

  // `thumbBitmap` is the thumb's picture resource; the classic thumb is drawn here.
  TJSlider(OWL::TWindow* parent, int resourceId, int thumbBitmap = 0);

  void SBThumbTrack(int position) override;
  void SBEndScroll() override;
  int GetTrackedPosition() const { return m_trackedPosition; }

 private:
  OWL::TWindow* m_target;
  int m_trackedPosition = 0;
  bool m_tracking = false;

  void Tell(UINT code);
};
