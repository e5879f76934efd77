#include "controls/dialogs/tj_slider.h"

TJSlider::TJSlider(OWL::TWindow* parent, int resourceId, int) : OWL::THSlider(parent, resourceId), m_target(parent) {}

// Synchronous, past the message queue: the dialog answers before the next drag event.
void TJSlider::SBThumbTrack(int position) {
  if (!m_target) return OWL::THSlider::SBThumbTrack(position);
  m_trackedPosition = position;
  m_tracking = true;
  Tell(kThumbTrackNotification);
}

// The thumb stays where it was let go.
void TJSlider::SBEndScroll() {
  if (!m_target) return;
  if (m_tracking) SetPosition(m_trackedPosition);
  m_tracking = false;
  Tell(kEndTrackNotification);
}

void TJSlider::Tell(UINT code) {
  NMHDR header{GetHandle(), UINT_PTR(GetId()), code};
  m_target->HandleMessage(WM_NOTIFY, WPARAM(GetId()), reinterpret_cast<LPARAM>(&header));
}
