// The GUI framework's gadget: a light rectangle inside a gadget window that sizes, paints and
// answers the mouse like a small window of its own, without a platform window. A gadget window
// owns its gadgets from Insert until it goes; a gadget knows its window only while inserted.
#pragma once

#include "platform/owl/gdi_objects.h"
#include "platform/owl/geometry.h"

namespace OWL {

class TGadgetWindow;

class TGadget {
 public:
  // Bits of the flag word.
  enum TFlag : UINT {
    kEnabled = 0x01,
    kVisible = 0x02,
    kFlag08 = 0x08,  // set by some owners; the framework gives it no meaning
    kIgnoreEnablerText = 0x10,
    kIgnoreEnablerCheck = 0x20,
  };

  explicit TGadget(int id = 0);
  virtual ~TGadget() = default;
  TGadget(const TGadget&) = delete;
  TGadget& operator=(const TGadget&) = delete;

  int GetId() const { return m_id; }
  TGadgetWindow* GetGadgetWindow() const { return m_window; }
  const TRect& GetBounds() const { return m_bounds; }
  // The bounds less the borders on every side.
  TRect GetInnerRect() const;
  UINT& Flags() { return m_flags; }
  UINT Flags() const { return m_flags; }
  bool IsEnabled() const { return m_flags & kEnabled; }
  void SetEnabled(bool enabled);
  bool IsVisible() const { return m_flags & kVisible; }
  void SetShrinkWrap(bool width, bool height) { m_shrinkWrapWidth = width, m_shrinkWrapHeight = height; }
  bool ShrinkWrapWidth() const { return m_shrinkWrapWidth; }
  bool ShrinkWrapHeight() const { return m_shrinkWrapHeight; }
  void SetBorderWidth(int width) { m_border = width; }
  int GetBorderWidth() const { return m_border; }

  // The borders alone.
  virtual void GetDesiredSize(TSize& size);
  virtual void SetBounds(const TRect& bounds) { m_bounds = bounds; }
  virtual void Paint(TDC& dc);
  // A raised frame of the border width.
  virtual void PaintBorder(TDC& dc);
  virtual void MouseEnter(UINT modifiers, const TPoint& point);
  virtual void MouseLeave(UINT modifiers, const TPoint& point);
  virtual void MouseMove(UINT, const TPoint&) {}
  virtual void LButtonDown(UINT modifiers, const TPoint& point);
  virtual void LButtonUp(UINT modifiers, const TPoint& point);
  virtual void RButtonDown(UINT, const TPoint&) {}
  virtual void RButtonUp(UINT, const TPoint&) {}
  virtual void CommandEnable() {}
  virtual void SysColorChange() {}
  // The window's platform window now exists (or the gadget joined a window that has one).
  virtual void Created() {}

  // Marks the gadget's bounds for repainting in its window.
  void Invalidate(bool erase = true);
  // Paints what is marked now.
  void Update();
  bool IsMouseIn() const { return m_mouseIn; }

 private:
  friend class TGadgetWindow;
  TGadgetWindow* m_window = nullptr;
  TRect m_bounds;
  int m_id;
  UINT m_flags = kEnabled | kVisible;
  int m_border = 0;
  bool m_shrinkWrapWidth = true;
  bool m_shrinkWrapHeight = true;
  bool m_mouseIn = false;
};

}  // namespace OWL
