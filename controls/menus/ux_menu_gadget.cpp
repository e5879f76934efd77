#include "controls/menus/ux_menu_gadget.h"

#include "platform/owl/gadgets/gadget_window.h"
#include "platform/win32/message_queue.h"

namespace Quor {

namespace {

// Appends every item of `from` to `to`, popups copied with their items.
void CopyMenuItems(HMENU from, HMENU to) {
  const int count = GetMenuItemCount(from);
  for (int position = 0; position < count; ++position) {
    char16_t text[513] = {};
    GetMenuStringW(from, UINT(position), text, 513, MF_BYPOSITION);
    const UINT state = GetMenuState(from, UINT(position), MF_BYPOSITION);
    if (HMENU sub = GetSubMenu(from, position)) {
      HMENU copy = CreatePopupMenu();
      CopyMenuItems(sub, copy);
      AppendMenuW(to, MF_POPUP | (state & (MF_GRAYED | MF_DISABLED)), reinterpret_cast<UINT_PTR>(copy), text);
    } else if (state & MF_SEPARATOR) {
      AppendMenuW(to, MF_SEPARATOR, 0, nullptr);
    } else {
      AppendMenuW(to, MF_STRING | (state & (MF_GRAYED | MF_DISABLED | MF_CHECKED)), GetMenuItemID(from, position),
                  text);
    }
  }
}

}  // namespace

UxMenuGadget::UxMenuGadget(const OWL::TMenu& menu, HWND owner, std::unique_ptr<Gdiplus::Bitmap> glyph, int themeKind,
                           TStyle style, TType type, bool enabled, TState state, bool shared, UINT numChars)
    : UxCustomButtonGadget(std::move(glyph), themeKind, style, type, enabled, state, shared, numChars),
      m_owner(owner) {
  SetShrinkWrap(true, true);
  CopyMenuItems(menu, m_popup);
  char16_t first[513] = {};
  if (GetMenuStringW(menu, 0, first, 513, MF_BYPOSITION) > 0) SetText(first);
  SetAlign(aCenter);
  SetNumChars(UINT(GetText().size()));
}

void UxMenuGadget::DropMenu(const OWL::TPoint& point, bool rightButton) {
  BeginPressed(point);
  OWL::TGadgetWindow* window = GetGadgetWindow();
  RECT screen = GetBounds();
  ClientToScreen(window->GetHandle(), reinterpret_cast<POINT*>(&screen.left));
  ClientToScreen(window->GetHandle(), reinterpret_cast<POINT*>(&screen.right));
  const OWL::TRect avoid(screen);
  m_trackResult = m_popup.TrackPopupMenu(rightButton ? 0 : TPM_VERTICAL, avoid.TopLeft(), m_owner, &avoid);
  // The click that closed the menu on this button must not open it again.
  MSG waiting{};
  if (PeekMessageW(&waiting, window->GetHandle(), WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_NOREMOVE) &&
      PtInRect(&GetBounds(), POINT{GET_X_LPARAM(waiting.lParam), GET_Y_LPARAM(waiting.lParam)}))
    PeekMessageW(&waiting, window->GetHandle(), WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE);
  if (IsPressed()) CancelPressed(point);
}

void UxMenuGadget::LButtonDown(UINT modifiers, const OWL::TPoint& point) {
  if (m_buttonMode) {
    UxCustomButtonGadget::LButtonDown(modifiers, point);
  } else if (GetGadgetWindow()) {
    DropMenu(point, false);
  }
}

void UxMenuGadget::RButtonDown(UINT modifiers, const OWL::TPoint& point) {
  UxCustomButtonGadget::RButtonDown(modifiers, point);
  if (m_buttonMode && GetGadgetWindow()) DropMenu(point, true);
}

void UxMenuGadget::LButtonUp(UINT modifiers, const OWL::TPoint& point) {
  if (m_buttonMode) UxCustomButtonGadget::LButtonUp(modifiers, point);
  if (IsPressed()) CancelPressed(point);
}

void UxMenuGadget::RButtonUp(UINT modifiers, const OWL::TPoint& point) {
  UxCustomButtonGadget::RButtonUp(modifiers, point);
  if (IsPressed()) CancelPressed(point);
}

UxButtonMenuGadget::UxButtonMenuGadget(const OWL::TMenu& menu, HWND owner, const std::u16string& caption,
                                       std::unique_ptr<Gdiplus::Bitmap> glyph, int themeKind, TStyle style,
                                       TType type, bool enabled, TState state, bool shared, UINT numChars)
    : UxMenuGadget(menu, owner, std::move(glyph), themeKind, style, type, enabled, state, shared, numChars) {
  if (!caption.empty()) {
    SetText(caption);
    Invalidate();
  }
  SetShrinkWrap(false, true);
}

}  // namespace Quor
