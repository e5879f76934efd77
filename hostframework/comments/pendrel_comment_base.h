// A comment on a recording: its position (a record and tick offset, or an offset from an event),
// its text and two words the host gives it, and the marker by which views draw it. The host and
// the trace display hold comments by reference; a comment lives until the last one goes.
#pragma once

#include "core/com_object_root.h"
#include "core/com_ptr.h"
#include "core/quor_string.h"
#include "platform/pendrel/comments.h"

class PendrelCommentBase : public IPendrelCommentEx, public IQuorComment, public Quor::CComObjectRoot {
 public:
  PendrelCommentBase(DWORD wordA, DWORD wordB, LONG record, LONG offset, const Quor::String& text);

  HRESULT QueryInterface(REFIID iid, void** object) override;
  ULONG AddRef() override { return InternalAddRef(); }
  ULONG Release() override;

  // IPendrelComment
  HRESULT GetLocation(CommentRecordOffset* position, DWORD* wordB, DWORD* tag, IQuorString** text) override;
  HRESULT GetPosition(CommentOffsetRecord* position) override;
  HRESULT GetOffset(LONG* offset) override;
  HRESULT GetWordA(DWORD* word) override;
  HRESULT GetWordB(DWORD* word) override;
  // Derived classes draw; the base draws nothing.
  HRESULT Paint(HDC dc, const CommentDrawing* drawing) override;
  HRESULT HitTest(HDC dc, const CommentDrawing* drawing, POINT point, LONG* part) override;
  HRESULT ShowPopup(HWND window, const CommentDrawing* drawing, IQuorString* timeText,
                    ICommentPopupWindow** popup) override;
  HRESULT HighlightMarker(HWND window, const CommentDrawing* drawing, DWORD durationMs) override;
  HRESULT GetTag(DWORD* tag) override;
  HRESULT SetTag(DWORD tag) override;
  HRESULT SetWordB(DWORD unused, DWORD word) override;
  HRESULT GetRecordPosition(CommentRecordOffset* position) override;
  HRESULT SetEvent(IPendrelCommentEvent* event) override;
  HRESULT GetEvent(IPendrelCommentEvent** event) override;
  HRESULT GetEventTime(LONG* ticks) override;
  HRESULT SetText(IAutoQuorString* text) override;
  HRESULT GetFlags(DWORD* flags) override;
  HRESULT Reserved21() override { return E_FAIL; }
  HRESULT Reserved22() override { return E_FAIL; }
  HRESULT Reserved23() override { return E_FAIL; }

  // IPendrelCommentEx
  LONG SortsAtOrAfter(IPendrelCommentEx* other) override;
  LONG IsDifferent(IPendrelCommentEx* other) override;
  HRESULT GetAbsoluteOffset(LONG* offset) override;
  HRESULT SetOffset(LONG offset) override;
  HRESULT GetTypeWord(DWORD* type) override;
  HRESULT GetEventInfo(DWORD* type, COLORREF* colour, DWORD* reserved) override;
  HRESULT GetAbsolutePosition(CommentOffsetRecord* position) override;
  HRESULT OpenPopup(HWND window, const CommentDrawing* drawing, IQuorString* timeText,
                    ICommentPopupWindow** popup, const RECT* marker) override;
  HRESULT AnimateZoomRect(HWND window, const RECT* from, const RECT* to, DWORD durationMs) override;
  HRESULT AnimateZoomEllipse(HWND window, const RECT* from, const RECT* to, DWORD durationMs) override;
  HRESULT AnimateZoom(HWND window, LONG shape, const RECT* from, const RECT* to, DWORD durationMs) override;
  COLORREF GetColour(BOOL highlighted) override;
  HRESULT MarkerRect(HDC dc, POINT point, RECT* rect) override { return GetMarkerRect(dc, point, rect); }
  HRESULT GetMarkerRect(HDC dc, POINT point, RECT* rect) override;

  // IQuorComment
  HRESULT GetAbsoluteLocation(LONG* offset, DWORD* wordB, DWORD* tag, IQuorString** text) override;

  const Quor::String& Text() const { return m_text; }

 protected:
  ~PendrelCommentBase() override = default;
  // The record of the position: the event's when there is one.
  LONG EffectiveRecord();
  // The marker's scale for a device: max(1, dots per inch / 96).
  static double Scale(HDC dc);

  DWORD m_wordA;
  DWORD m_tag = 0;
  LONG m_offset;
  DWORD m_wordB;
  Quor::String m_text;
  Quor::ComPtr<IUnknown> m_eventSource;
  Quor::ComPtr<IPendrelCommentEvent> m_event;
  LONG m_record;
  DWORD m_flags = 0;
  COLORREF m_colour = 0xFFFFFF;
};

// Comments that draw their marker, hit-test it, zoom onto it and open its popup.
class EventCommentBase : public PendrelCommentBase {
 public:
  using PendrelCommentBase::PendrelCommentBase;
  HRESULT Paint(HDC dc, const CommentDrawing* drawing) override;
  HRESULT ShowPopup(HWND window, const CommentDrawing* drawing, IQuorString* timeText,
                    ICommentPopupWindow** popup) override;

 protected:
  ~EventCommentBase() override = default;
};
