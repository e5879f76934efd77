// The data pane's compression (ticks per pixel): stored, stepped along 1-2-5 by zoom commands
// and the Ctrl wheel, and applied about an anchor so that the data under it stays put.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/win32/clock.h"
#include "platform/win32/input.h"
#include "platform/win32/window.h"
#include "platform/owl/gadgets/command_enabler.h"
#include "platform/win32/menus.h"
#include "tracedisplay/datapane/data_pane.h"
#include "tracedisplay/scrolling/compression_menu.h"
#include "tracedisplay/steps/compression_steps.h"

namespace PendrelDraw {

namespace {

constexpr double kFinestCompression = 0.1;
constexpr double kCoarsestCompression = 500000.0;
constexpr int kWheelNotch = 120;

bool Same(const QuorRational& a, const QuorRational& b) {
  return a.Numerator() == b.Numerator() && a.Denominator() == b.Denominator();
}

}  // namespace

void DataPane::GetCompression(QuorRational* ratio) {
  if (!ratio) return;
  LONGLONG ticks = 10, pixels = 1;
  if (m_dataView) m_dataView->GetCompression(&ticks, &pixels);
  *ratio = QuorRational(ticks, pixels);
}

void DataPane::StoreCompression(const QuorRational& ratio) {
  m_compression = ratio;
  if (m_dataView) m_dataView->SetCompression(ratio.Numerator(), ratio.Denominator());
  if (m_zoomControl) m_zoomControl->SetCompression(ratio);
}

void DataPane::SetCompression(const QuorRational& ratio, const POINT* anchor, bool notify) {
  if (Same(ratio, m_compression)) return;
  {
    std::lock_guard lock(m_lock);
    if (IsFollowing()) {
      StoreCompression(ratio);
      m_scrollPosition = DataViewEnd();
    } else {
      const double x0 = m_paneWidth / 2.0;
      const double zoomIn = m_compression.ToDouble() / ratio.ToDouble();
      double x = x0;
      LONG record = 0, tick = 0;
      if (anchor) {
        x = anchor->x - (anchor->x - x0) / zoomIn;
      } else if ((GetAsyncKeyState(VK_CONTROL) & 0x8000) && m_positionSource) {
        LONGLONG pixel = 0;
        if (m_positionSource->CurrentPosition(&record, &tick) && m_dataView &&
            SUCCEEDED(m_dataView->PositionToPixel(record, tick, &pixel))) {
          x = double(ClientXOf(pixel));
        }
      } else if (zoomIn > 1) {
        if (m_scrollPosition - DataWidth() <= 0) {
          x = BorderWidth();
        } else if (DataViewEnd() <= m_scrollPosition) {
          x = m_paneWidth - BorderWidth();
        }
      }
      const LONGLONG column = LONGLONG(x + 0.5);
      const bool found = m_dataView && m_dataView->PixelToPosition(PixelAtClientX(column), &record,
                                                                   &tick) == S_OK;
      StoreCompression(ratio);
      if (!found || !CentreOnPosition(record, tick)) m_scrollPosition = DataViewEnd();
    }
    Invalidate(kRedrawEverything);
  }
  if (notify) CallViewHandlers(m_callbacks.compressionChanged);
  if (notify) CallViewHandlers(m_callbacks.viewMoved);
}

bool DataPane::CentreOnPosition(LONG record, LONG tick) {
  LONGLONG pixel = 0;
  if (!m_dataView || FAILED(m_dataView->PositionToPixel(record, tick, &pixel))) return false;
  m_scrollPosition = pixel + (DataWidth() + 1) / 2;
  return true;
}

void DataPane::Zoom(bool in) {
  QuorRational current;
  GetCompression(&current);
  double value = current.ToDouble();
  if (in ? value <= kFinestCompression : value >= kCoarsestCompression) return;
  in ? NextStepDown(value) : NextStepUp(value);
  SetCompression(QuorRational::FromDouble(value), nullptr, true);
}

bool DataPane::OnMouseWheel(DWORD keys, SHORT delta, POINT point) {
  m_wheelRemainder += delta;
  const int notches = std::abs(m_wheelRemainder) / kWheelNotch;
  if (notches == 0) return false;
  const bool back = m_wheelRemainder < 0;
  if (!(keys & MK_CONTROL)) {
    if (m_scrollBar && m_scrollBar->IsEnabled()) {
      const DWORD now = GetTickCount();
      // Two messages within one millisecond count one apart, not zero.
      const DWORD elapsed = std::max<DWORD>(now - m_lastWheelTick, 1);
      const double rate = std::clamp(1000.0 / elapsed, 1.0, 100.0);
      m_lastWheelTick = now;
      OnScroll(back ? SB_LINERIGHT : SB_LINELEFT, notches * rate * 0.25 * 0.125);
    }
  } else if (m_displayMode != 1) {
    QuorRational current;
    GetCompression(&current);
    double value = current.ToDouble();
    if (value > 0) {
      if (m_window) ScreenToClient(m_window, &point);
      if (!back && value > kFinestCompression) {
        NextStepDown(value);
        SetCompression(QuorRational::FromDouble(value), &point, true);
      } else if (back && value < kCoarsestCompression) {
        NextStepUp(value);
        SetCompression(QuorRational::FromDouble(value), &point, true);
      }
    }
  }
  m_wheelRemainder += back ? notches * kWheelNotch : -notches * kWheelNotch;
  return false;
}

}  // namespace PendrelDraw

namespace PendrelDraw {

void DataPane::BuildCompressionMenu(HMENU menu, int firstId, int endId) {
  for (int position = GetMenuItemCount(menu) - 1; position >= 0; --position) {
    DeleteMenu(menu, UINT(position), MF_BYPOSITION);
  }
  for (int id = firstId; id < endId; ++id) {
    const QuorRational ratio = MenuRatio(id);
    const UINT check = Same(ratio, m_compression) ? MF_CHECKED : MF_UNCHECKED;
    const std::u16string text = FormatRatio(ratio.Numerator(), ratio.Denominator());
    AppendMenuW(menu, MF_STRING | check, UINT_PTR(id), text.c_str());
  }
}

void DataPane::GetCompressionMenuState(LONG kind, OWL::TCommandEnabler& state) {
  if (kind != 1) return;
  QuorRational current;
  GetCompression(&current);
  const bool checked = Same(MenuRatio(int(state.GetId())), current);
  state.SetCheck(checked ? OWL::TCommandEnabler::Checked : OWL::TCommandEnabler::Unchecked);
}

void DataPane::OnCompressionMenuCommand(LONG kind, int id) {
  if (kind == 1) SetCompression(MenuRatio(id), nullptr, true);
}

}  // namespace PendrelDraw
