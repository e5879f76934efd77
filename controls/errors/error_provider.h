// The error mark beside an entry field: a small image window, hidden while the field is valid,
// shown when a validator reports a bad value. Pointing at it or clicking it explains the
// problem in a balloon tip, or in a plain popup after a short hover. It lives as the dialog's
// child in the place of a placeholder control; the balloons it opens delete themselves.
#pragma once

#include <functional>
#include <memory>

#include "controls/popups/popup.h"
#include "core/quor_string.h"
#include "platform/owl/controls.h"
#include "platform/owl/gdi_objects.h"

namespace QuorControls {

class ErrorProvider : public OWL::TStatic {
 public:
  // Style flags: one image, one reaction, and the link.
  enum : DWORD {
    kBalloonReaction = 1,
    kPopupReaction = 2,
    kNoReaction = 4,
    kErrorImage = 8,
    kWarningImage = 16,
    kInformationImage = 32,
    kOfferLink = 64,
  };
  static constexpr UINT_PTR kHoverTimer = 1;
  static constexpr UINT kHoverTickMs = 50;
  static constexpr int kHoverLimitMs = 5000;

  ErrorProvider(OWL::TWindow* parent, int placeholderId);
  ~ErrorProvider() override;

  // Replaces the title and text; shows the mark when `show` is set, else hides it.
  void SetError(bool show, const Quor::String& title, const Quor::String& text);
  const Quor::String& GetTitle() const { return m_title; }
  const Quor::String& GetText() const { return m_text; }
  void SetFlags(DWORD flags) { m_flags = flags; }
  DWORD GetFlags() const { return m_flags; }
  void SetLink(const Quor::String& text, std::function<void()> callback);
  void SetClickCallback(std::function<void()> callback) { m_clickCallback = std::move(callback); }
  // The hover popup while it shows; null otherwise.
  const Quor::Popup* GetPopup() const { return m_popup.get(); }

  void SetupWindow() override;
  void Paint(OWL::TDC& dc, bool erase, OWL::TRect& rect) override;
  bool Find(OWL::TEventInfo& info) override;

 private:
  LRESULT EvMouseMove(WPARAM, LPARAM);
  LRESULT EvLButtonDown(WPARAM, LPARAM);
  LRESULT EvOtherButtonDown(WPARAM, LPARAM);
  LRESULT EvMouseLeave(WPARAM, LPARAM);
  LRESULT EvTimer(WPARAM, LPARAM);
  void NormaliseFlags();
  void React();
  void StartHoverTimer();
  void OpenBalloon();
  const OWL::TBitmap& Image() const;

  DWORD m_flags = kErrorImage | kBalloonReaction;
  OWL::TBitmap m_errorImage;
  OWL::TBitmap m_warningImage;
  OWL::TBitmap m_informationImage;
  Quor::String m_title;
  Quor::String m_text;
  Quor::String m_linkText;
  POINT m_balloonPosition{};
  std::function<void()> m_clickCallback;
  std::function<void()> m_linkCallback;
  int m_hoverMs = 0;
  std::unique_ptr<Quor::Popup> m_popup;
  bool m_popupShown = false;
  bool m_tracking = false;
};

}  // namespace QuorControls
