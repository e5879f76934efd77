// The small window that shows one comment beside its marker: a sample of the marker, a bold
// "t = " time label and the comment's text wrapped below it. A comment opens it; whoever holds
// its ICommentPopupWindow closes it by releasing it, which destroys the window, its fonts, the
// comment reference and the time text. Lives on the thread that opened it.
#pragma once

#include <atomic>
#include <memory>
#include <string>

#include "platform/owl/gdi_objects.h"
#include "platform/owl/window.h"
#include "platform/pendrel/comments.h"

class CommentPopup : public OWL::TWindow, public ICommentPopupWindow {
 public:
  // Lays the popup out, makes its window and shows it without activating it when the host lets
  // popups show. The caller holds the one reference.
  CommentPopup(HWND parent, POINT anchor, IPendrelComment* comment, const std::u16string& timeText,
               int markerHeight);

  HRESULT QueryInterface(REFIID iid, void** object) override;
  ULONG AddRef() override;
  ULONG Release() override;
  HRESULT GetComment(IPendrelComment** comment) override;
  HRESULT Redraw() override;

  // The layout, in client coordinates.
  const OWL::TRect& LabelRect() const { return m_label; }
  const OWL::TRect& TextRect() const { return m_text; }
  OWL::TPoint TimeLabelPosition() const { return m_timeLabel; }
  int TextLines() const { return m_lines; }

  std::u16string GetClassName() const override { return u"CommentPopup"; }
  void GetWindowClass(WNDCLASSEXW& windowClass) const override;
  void SetupWindow() override;
  void Paint(OWL::TDC& dc, bool erase, OWL::TRect& rect) override;

 private:
  ~CommentPopup() override;
  std::u16string CommentText() const;

  std::u16string m_timeText;
  IPendrelComment* m_comment;
  POINT m_anchor;
  OWL::TFont m_font;
  OWL::TFont m_boldFont;
  int m_markerHeight;
  int m_lines = 1;
  OWL::TRect m_label, m_text;
  OWL::TPoint m_timeLabel;
  std::atomic<ULONG> m_references{1};
};
