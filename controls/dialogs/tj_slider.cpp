#include "controls/dialogs/tj_slider.h"

TJSlider::TJSlider(OWL::TWindow* parent, int resourceId, int) : OWL::THSlider(parent, resourceId), m_target(parent) {}

// Synchronous, past the message queue: the dialog answers before the next drag event.
void TJSlider::SBThumbTrack(int position) {
  if (!m_target) return OWL::THSlider::SBThumbTrack(position);
  m_trackedPosition = position;
  NMHDR header{nullptr, UINT_PTR(GetId()), kThumbTrackNotification};
  m_target->HandleMessage(WM_NOTIFY, WPARAM(GetId()), reinterpret_cast<LPARAM>(&header));
}
