// A record drawer for tests: it records what it is asked, answers what a test sets, and fills
// the span it is asked to draw with its colour, so that band images can be probed.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "core/quor_string.h"
#include "tracedisplay/drawers/drawer_base.h"

class RecordingDrawer : public PendrelDraw::DrawerBase {
 public:
  explicit RecordingDrawer(DWORD id, LONG channel = 0, LONG kind = 0,
                           COLORREF colour = RGB(255, 0, 0))
      : DrawerBase(PendrelDraw::DrawerBaseInit(0x1000, channel, kind, id)), m_colour(colour) {}

  HRESULT GetCapabilities(DWORD, DWORD* flags, LONG* left, LONG* right, DWORD) override {
    if (flags) *flags = capabilities;
    if (left) *left = leftWidth;
    if (right) *right = rightWidth;
    return S_OK;
  }
  HRESULT GetValueAt(LONG laneKind, LONG record, IQuorString** text, VARIANT_BOOL* flag) override {
    if (unitText.empty()) return DrawerBase::GetValueAt(laneKind, record, text, flag);
    *text = Quor::String(unitText).GetInterface();
    if (flag) *flag = VARIANT_TRUE;
    return S_OK;
  }
  HRESULT SetTimeRange(LONG, DWORD, const double* range, IUnknown*) override {
    rangesSet.push_back({range[0], range[1]});
    return acceptsRange ? S_OK : S_FALSE;
  }
  HRESULT Refresh(DWORD what) override {
    refreshes.push_back(what);
    return S_OK;
  }
  HRESULT Draw(HDC dc, const PendrelDraw::DrawSpan* span, DWORD flags) override {
    draws.push_back(*span);
    drawFlags.push_back(flags);
    if (m_colour != CLR_INVALID) {
      const HBRUSH brush = CreateSolidBrush(m_colour);
      RECT fill = {LONG(span->leftColumn), rect.top,
                   LONG(span->leftColumn + (span->end - span->first)), rect.bottom};
      if (stripeFrom < stripeTo) {
        fill.left = std::max(fill.left, stripeFrom);
        fill.right = std::min(fill.right, stripeTo);
      }
      FillRect(dc, &fill, brush);
      DeleteObject(brush);
    }
    return S_OK;
  }
  HRESULT GetDataRange(LONGLONG, LONGLONG, LONGLONG* end) override {
    if (dataEnd < 0) return S_FALSE;
    *end = dataEnd;
    return S_OK;
  }

  DWORD capabilities = 0x60000000;
  // When set, the drawer paints only these client columns of a span.
  LONG stripeFrom = 0;
  LONG stripeTo = 0;
  LONG leftWidth = 0;
  LONG rightWidth = 0;
  std::u16string unitText;
  bool acceptsRange = true;
  LONGLONG dataEnd = -1;
  std::vector<std::pair<double, double>> rangesSet;
  std::vector<DWORD> refreshes;
  std::vector<PendrelDraw::DrawSpan> draws;
  std::vector<DWORD> drawFlags;

 protected:
  PendrelDraw::DrawerBase* MakeCopy() const override {
    auto* copy = new RecordingDrawer(id, channel[0], channel[1], m_colour);
    static_cast<PendrelDraw::DrawerBaseInit&>(*copy) = *this;
    return copy;
  }

 private:
  COLORREF m_colour;
};
