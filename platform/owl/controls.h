// The GUI framework's controls: child windows of a predefined class, each answered by its own
// object. A control made for a dialog takes its place, text and style from the dialog template's
// control of the same id when the dialog makes its window. An edit control may hold a validator,
// which CanClose consults, so a dialog does not accept text its validator refuses.
#pragma once

#include <memory>
#include <string>

#include "platform/owl/window.h"

namespace OWL {

class TControl : public TWindow {
 public:
  // A control of `className` at a place of its own.
  TControl(TWindow* parent, int id, const std::u16string& className, const std::u16string& text,
           const TRect& rect);
  // A control that a dialog's template describes under `resourceId`.
  TControl(TWindow* parent, int resourceId, const std::u16string& className);

  std::u16string GetClassName() const override { return m_className; }
  // Whether a dialog template places the control; the dialog then gives it its place (in
  // pixels), text and style before making it.
  bool IsFromResource() const { return m_fromResource; }
  void TakeTemplate(const TRect& place, const std::u16string& text, DWORD style);
  std::u16string GetText() const;
  void SetText(const std::u16string& text);
  int GetId() const { return Attr.Id; }

 private:
  std::u16string m_className;
  bool m_fromResource = false;
};

class TStatic : public TControl {
 public:
  TStatic(TWindow* parent, int id, const std::u16string& text, const TRect& rect)
      : TControl(parent, id, u"Static", text, rect) {}
  TStatic(TWindow* parent, int resourceId) : TControl(parent, resourceId, u"Static") {}
};

// Decides whether an edit control's text is acceptable.
class TValidator {
 public:
  // Options: voTransfer lets Transfer move data between the text and a value.
  enum : UINT { voFill = 0x0001, voTransfer = 0x0002, voOnAppend = 0x0004 };
  enum TTransferDirection { tdGetData = 0, tdSetData = 1, tdSizeData = 2 };

  virtual ~TValidator() = default;
  virtual bool IsValid(const std::u16string& text) = 0;
  // Tells the user why the text was refused; nothing by default.
  virtual void Error(TWindow*) {}
  // Moves a value between `text` and `data`; the size moved, 0 when the validator moves none.
  virtual UINT Transfer(WCHAR* /*text*/, void* /*data*/, TTransferDirection) { return 0; }
  void SetOption(UINT option) { Options |= option; }
  void UnsetOption(UINT option) { Options &= ~option; }
  bool HasOption(UINT option) const { return (Options & option) != 0; }

  UINT Options = 0;
};

// Accepts a text whose every character is in a set given as characters and ranges ("0-9+-").
class TFilterValidator : public TValidator {
 public:
  explicit TFilterValidator(const std::u16string& characters);
  bool IsValid(const std::u16string& text) override;
  bool IsAllowed(char16_t character) const;

 private:
  std::u16string m_characters;  // expanded: every allowed character once
};

// Accepts a whole number within a range; tells the user the range in a message box.
class TRangeValidator : public TFilterValidator {
 public:
  TRangeValidator(long minimum, long maximum);
  bool IsValid(const std::u16string& text) override;
  void Error(TWindow* owner) override;
  long GetMin() const { return m_min; }
  long GetMax() const { return m_max; }

 private:
  long m_min, m_max;
};

// Typing into an edit control: a printable character is added at the end of the text, a
// backspace takes the last one away. ES_NUMBER refuses anything but digits, and the text limit
// refuses characters beyond it. WM_CHILDINVALID reports the validator's refusal to the user.
// Every change of the text, typed or set, tells the parent (WM_COMMAND with EN_CHANGE).
constexpr DWORD ES_NUMBER = 0x2000;
constexpr UINT WM_CHILDINVALID = 0x7FFE;
constexpr WORD EN_CHANGE = 0x0300;

class TEdit : public TControl {
 public:
  TEdit(TWindow* parent, int id, const std::u16string& text, const TRect& rect)
      : TControl(parent, id, u"Edit", text, rect) {}
  TEdit(TWindow* parent, int resourceId) : TControl(parent, resourceId, u"Edit") {}

  bool Find(TEventInfo& info) override;
  // Replaces the text and tells the parent.
  void SetText(const std::u16string& text);
  void SetTextLimit(int limit) { m_textLimit = limit; }
  LRESULT EvChar(WPARAM character, LPARAM);
  LRESULT EvChildInvalid(WPARAM, LPARAM);

  // The edit control owns its validator; null removes it.
  void SetValidator(TValidator* validator) { m_validator.reset(validator); }
  TValidator* GetValidator() const { return m_validator.get(); }
  bool IsValid(bool reportError = false);
  bool CanClose() override { return IsValid(true); }

 private:
  std::unique_ptr<TValidator> m_validator;
  int m_textLimit = 30000;
};

class TButton : public TControl {
 public:
  TButton(TWindow* parent, int id, const std::u16string& text, const TRect& rect)
      : TControl(parent, id, u"Button", text, rect) {}
  TButton(TWindow* parent, int resourceId) : TControl(parent, resourceId, u"Button") {}
  // Tells the parent the button was clicked (WM_COMMAND with BN_CLICKED).
  void Click();
};

// A horizontal slider: a position kept within its range.
class THSlider : public TControl {
 public:
  THSlider(TWindow* parent, int id, const TRect& rect)
      : TControl(parent, id, u"msctls_trackbar32", u"", rect) {}
  THSlider(TWindow* parent, int resourceId) : TControl(parent, resourceId, u"msctls_trackbar32") {}

  // Dragging the thumb arrives as WM_HSCROLL with SB_THUMBTRACK and the position, letting it go
  // as SB_ENDSCROLL.
  bool Find(TEventInfo& info) override;
  // Follows the thumb.
  virtual void SBThumbTrack(int position) { SetPosition(position); }
  // The drag is over; the thumb stays where it was let go.
  virtual void SBEndScroll() {}

  void SetRange(int minimum, int maximum);
  void GetRange(int& minimum, int& maximum) const;
  // Clamped to the range.
  void SetPosition(int position);
  int GetPosition() const { return m_position; }

 private:
  int m_minimum = 0, m_maximum = 100, m_position = 0;
};

// An up-down control: a pair of arrows beside its buddy field. Pressing an arrow asks the parent
// to step by one (WM_NOTIFY with UDN_DELTAPOS, the position and the step); the parent moves
// whatever the arrows step.
constexpr UINT UDN_DELTAPOS = UINT(-722);

struct NMUPDOWN {
  NMHDR hdr;
  int iPos;
  int iDelta;
};

class TUpDown : public TControl {
 public:
  TUpDown(TWindow* parent, int resourceId) : TControl(parent, resourceId, u"msctls_updown32") {}

  void SetRange(int minimum, int maximum);
  void GetRange(int& minimum, int& maximum) const;
  int GetPosition() const { return m_position; }
  // A press of the up arrow (+1) or the down arrow (-1).
  void PressArrow(int delta);

 private:
  int m_minimum = 0, m_maximum = 100, m_position = 0;
};

}  // namespace OWL
