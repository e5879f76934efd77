// The GUI framework's gadget window: a window that owns a row (or column) of gadgets, tiles them
// at their desired sizes, paints them and hands them the mouse. Gadgets inserted belong to the
// window and go with it.
#pragma once

#include <memory>
#include <vector>

#include "platform/owl/gadgets/gadget.h"
#include "platform/owl/window.h"

namespace OWL {

class TGadgetWindow : public TWindow {
 public:
  enum TTileDirection { Horizontal, Vertical };

  TGadgetWindow(TWindow* parent = nullptr, TTileDirection direction = Horizontal, HFONT font = nullptr,
                TModule* module = nullptr);
  ~TGadgetWindow() override;

  // Takes the gadget; lays the gadgets out again when the window exists.
  void Insert(TGadget& gadget);
  // Gives the gadget back to the caller.
  TGadget* Remove(TGadget& gadget);
  const std::vector<std::unique_ptr<TGadget>>& Gadgets() const { return m_gadgets; }
  // The visible gadget whose bounds hold the client point, or null.
  TGadget* GadgetFromPoint(const TPoint& point) const;
  // Tiles the gadgets from the top-left at their desired sizes and repaints.
  virtual void LayoutSession();

  // The gadget the mouse was last seen over, or null.
  TGadget* GetGadgetUnderMouse() const { return m_underMouse; }
  HFONT GetFont() const { return m_font; }
  bool IsFlatStyle() const { return m_flat; }
  void SetFlatStyle(bool flat) { m_flat = flat; }

  void SetupWindow() override;
  void Paint(TDC& dc, bool erase, TRect& rect) override;
  bool Find(TEventInfo& info) override;

 protected:
  LRESULT EvMouseMove(WPARAM modifiers, LPARAM point);
  LRESULT EvLButtonDown(WPARAM modifiers, LPARAM point);
  LRESULT EvLButtonUp(WPARAM modifiers, LPARAM point);
  LRESULT EvRButtonDown(WPARAM modifiers, LPARAM point);
  LRESULT EvRButtonUp(WPARAM modifiers, LPARAM point);
  LRESULT EvSysColorChange(WPARAM, LPARAM);
  // The mouse has left the window: no gadget is under it.
  void ForgetMouse() { m_underMouse = nullptr; }

 private:
  // The gadget that takes the mouse message: the one holding the capture, else the one under it.
  TGadget* MouseTarget(const TPoint& point) const;

  std::vector<std::unique_ptr<TGadget>> m_gadgets;
  TTileDirection m_direction;
  HFONT m_font;
  TGadget* m_underMouse = nullptr;
  TGadget* m_capture = nullptr;
  bool m_flat = false;
};

}  // namespace OWL
