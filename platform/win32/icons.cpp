#include "platform/win32/icons.h"

namespace {

struct StockIcon {
  int id;
  COLORREF colour;
};

constexpr StockIcon kStockIcons[] = {
    {IDI_HAND, RGB(220, 30, 30)},
    {IDI_QUESTION, RGB(30, 160, 60)},
    {IDI_EXCLAMATION, RGB(240, 200, 0)},
    {IDI_ASTERISK, RGB(30, 90, 220)},
};

// A stock icon's handle is its id: nothing to make or free.
int IdOf(HICON icon) { return int(reinterpret_cast<ULONG_PTR>(icon)); }

}  // namespace

HICON LoadIconW(HINSTANCE instance, LPCWSTR name) {
  if (instance || !IS_INTRESOURCE(name)) return nullptr;
  const int id = int(reinterpret_cast<ULONG_PTR>(name));
  for (const StockIcon& stock : kStockIcons) {
    if (stock.id == id) return reinterpret_cast<HICON>(ULONG_PTR(id));
  }
  return nullptr;
}

BOOL DrawIcon(HDC dc, int x, int y, HICON icon) {
  const COLORREF colour = win32::StockIconColour(icon);
  if (colour == CLR_INVALID) return FALSE;
  const HBRUSH brush = CreateSolidBrush(colour);
  const HGDIOBJ previousBrush = SelectObject(dc, brush);
  const HGDIOBJ previousPen = SelectObject(dc, GetStockObject(NULL_PEN));
  Ellipse(dc, x, y, x + win32::kIconSize, y + win32::kIconSize);
  SelectObject(dc, previousPen);
  SelectObject(dc, previousBrush);
  DeleteObject(brush);
  return TRUE;
}

namespace win32 {

COLORREF StockIconColour(HICON icon) {
  for (const StockIcon& stock : kStockIcons) {
    if (icon && stock.id == IdOf(icon)) return stock.colour;
  }
  return CLR_INVALID;
}

}  // namespace win32
