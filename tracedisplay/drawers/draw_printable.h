// The print state of a data pane: IDrawPrintable is what the printing code of the views switches
// on and off around a print job; DrawPrintableBase keeps the value it was given.
#pragma once

#include "platform/win32/types.h"
#include "platform/win32/hresult.h"

namespace PendrelDraw {

struct IDrawPrintable {
  virtual HRESULT BeginPrint(LONG_PTR value) = 0;
  virtual HRESULT EndPrint() = 0;
  // S_OK while printing, S_FALSE otherwise; `printing` (when not null) gets 0xFFFF or 0.
  virtual HRESULT IsPrinting(VARIANT_BOOL* printing) = 0;

 protected:
  ~IDrawPrintable() = default;
};

class DrawPrintableBase : public IDrawPrintable {
 public:
  HRESULT BeginPrint(LONG_PTR value) override {
    m_printValue = value;
    return S_OK;
  }
  HRESULT EndPrint() override {
    m_printValue = 0;
    return S_OK;
  }
  HRESULT IsPrinting(VARIANT_BOOL* printing) override {
    if (printing) *printing = m_printValue > 0 ? VARIANT_BOOL(0xFFFF) : VARIANT_BOOL(0);
    return m_printValue != 0 ? S_OK : S_FALSE;
  }

 protected:
  ~DrawPrintableBase() = default;
  LONG_PTR PrintValue() const { return m_printValue; }

 private:
  LONG_PTR m_printValue = 0;
};

}  // namespace PendrelDraw
