// Comments: short texts the host attaches to a point of a recording, to a record and tick offset
// or to an event. The host and the trace display reach a comment only through these interfaces;
// the host shows a comment that a view asks for through the show-comment message.
#pragma once

#include "core/iquor_string.h"
#include "platform/pendrel/messages.h"
#include "platform/win32/gdi.h"
#include "platform/win32/window.h"

// A point of a recording in the two orders the comment operations use.
struct CommentRecordOffset {
  LONG record;
  LONG offset;
};
struct CommentOffsetRecord {
  LONG offset;
  LONG record;
};

// Where and how a comment's marker is drawn: the marker point is (x, top); the line runs from
// top to bottom (or to the alternative bottom with kCommentUseAlternativeBottom).
struct CommentDrawing {
  LONG x;
  LONG top;
  LONG bottom;
  LONG alternativeBottom;
  DWORD flags;
};
constexpr DWORD kCommentDrawLine = 0x100000;
constexpr DWORD kCommentDrawLineToo = 0x800000;
constexpr DWORD kCommentHighlighted = 0x1000000;
constexpr DWORD kCommentUseAlternativeBottom = 0x2000000;
// A comment whose flags hold this never opens a popup.
constexpr DWORD kCommentNoPopup = 0x80000;
// HitTest's part for a point on the marker.
constexpr LONG kCommentPartMarker = 4;

// The event a comment hangs on: its tick position and its record.
struct IPendrelCommentEvent : IUnknown {
  PLATFORM_INTERFACE_ID("8c76e4ce-7912-4a3d-a706-4553bd0c9d78");
  using Base = IUnknown;
  virtual HRESULT GetTickPosition(LONG* ticks) = 0;
  virtual HRESULT GetRecord(LONG* record) = 0;

 protected:
  ~IPendrelCommentEvent() = default;
};

// The popup window that shows one comment; releasing it closes it.
struct ICommentPopupWindow : IUnknown {
  PLATFORM_INTERFACE_ID("c11e2a0f-46a8-4260-bb61-7fe083fe674b");
  using Base = IUnknown;
  virtual HRESULT GetComment(struct IPendrelComment** comment) = 0;
  virtual HRESULT Redraw() = 0;

 protected:
  ~ICommentPopupWindow() = default;
};

struct IPendrelComment : IUnknown {
  PLATFORM_INTERFACE_ID("a30275ad-0f9f-4b70-aa71-c7d9d39f02ec");
  using Base = IUnknown;
  virtual HRESULT GetLocation(CommentRecordOffset* position, DWORD* wordB, DWORD* tag,
                              IQuorString** text) = 0;
  virtual HRESULT GetPosition(CommentOffsetRecord* position) = 0;
  virtual HRESULT GetOffset(LONG* offset) = 0;
  virtual HRESULT GetWordA(DWORD* word) = 0;
  virtual HRESULT GetWordB(DWORD* word) = 0;
  virtual HRESULT Paint(HDC dc, const CommentDrawing* drawing) = 0;
  // S_OK with kCommentPartMarker for a point on the marker; S_FALSE with 0 elsewhere.
  virtual HRESULT HitTest(HDC dc, const CommentDrawing* drawing, POINT point, LONG* part) = 0;
  virtual HRESULT ShowPopup(HWND window, const CommentDrawing* drawing, IQuorString* timeText,
                            ICommentPopupWindow** popup) = 0;
  virtual HRESULT HighlightMarker(HWND window, const CommentDrawing* drawing, DWORD durationMs) = 0;
  virtual HRESULT GetTag(DWORD* tag) = 0;
  virtual HRESULT SetTag(DWORD tag) = 0;
  virtual HRESULT SetWordB(DWORD unused, DWORD word) = 0;
  virtual HRESULT GetRecordPosition(CommentRecordOffset* position) = 0;
  virtual HRESULT SetEvent(IPendrelCommentEvent* event) = 0;
  virtual HRESULT GetEvent(IPendrelCommentEvent** event) = 0;
  virtual HRESULT GetEventTime(LONG* ticks) = 0;
  virtual HRESULT SetText(IAutoQuorString* text) = 0;
  virtual HRESULT GetFlags(DWORD* flags) = 0;
  virtual HRESULT Reserved21() = 0;
  virtual HRESULT Reserved22() = 0;
  virtual HRESULT Reserved23() = 0;

 protected:
  ~IPendrelComment() = default;
};

struct IPendrelCommentEx : IPendrelComment {
  PLATFORM_INTERFACE_ID("d4694c48-6c68-4007-a4df-2accd64b8d5b");
  using Base = IPendrelComment;
  // 1 when this comment sorts at or after `other`, else 0.
  virtual LONG SortsAtOrAfter(IPendrelCommentEx* other) = 0;
  // 0 for the same comment or an equal one, else 1.
  virtual LONG IsDifferent(IPendrelCommentEx* other) = 0;
  virtual HRESULT GetAbsoluteOffset(LONG* offset) = 0;
  virtual HRESULT SetOffset(LONG offset) = 0;
  virtual HRESULT GetTypeWord(DWORD* type) = 0;
  virtual HRESULT GetEventInfo(DWORD* type, COLORREF* colour, DWORD* reserved) = 0;
  virtual HRESULT GetAbsolutePosition(CommentOffsetRecord* position) = 0;
  virtual HRESULT OpenPopup(HWND window, const CommentDrawing* drawing, IQuorString* timeText,
                            ICommentPopupWindow** popup, const RECT* marker) = 0;
  virtual HRESULT AnimateZoomRect(HWND window, const RECT* from, const RECT* to, DWORD durationMs) = 0;
  virtual HRESULT AnimateZoomEllipse(HWND window, const RECT* from, const RECT* to, DWORD durationMs) = 0;
  virtual HRESULT AnimateZoom(HWND window, LONG shape, const RECT* from, const RECT* to,
                              DWORD durationMs) = 0;
  virtual COLORREF GetColour(BOOL highlighted) = 0;
  virtual HRESULT MarkerRect(HDC dc, POINT point, RECT* rect) = 0;
  virtual HRESULT GetMarkerRect(HDC dc, POINT point, RECT* rect) = 0;

 protected:
  ~IPendrelCommentEx() = default;
};

// The comment's second face, with positions made absolute through its event.
struct IQuorComment : IUnknown {
  PLATFORM_INTERFACE_ID("a6fd8169-2aae-40b2-a338-e64ac826b3ad");
  using Base = IUnknown;
  virtual HRESULT GetAbsoluteLocation(LONG* offset, DWORD* wordB, DWORD* tag, IQuorString** text) = 0;
  virtual HRESULT GetWordB(DWORD* word) = 0;
  virtual HRESULT GetAbsoluteOffset(LONG* offset) = 0;
  virtual HRESULT GetTag(DWORD* tag) = 0;
  virtual HRESULT GetTypeWord(DWORD* type) = 0;
  virtual HRESULT GetFlags(DWORD* flags) = 0;

 protected:
  ~IQuorComment() = default;
};

// The message by which a view asks the host to show a comment.
constexpr DWORD kShowComment2MessageId = 0x800C005A;
constexpr DWORD kShowComment2Position = 0xE0000000;

struct IShowComment2Message : IUnknown {
  PLATFORM_INTERFACE_ID("c75b113b-d010-40df-9a9a-f2936b5b7e59");
  using Base = IUnknown;
  virtual HRESULT GetComment(IPendrelComment** comment) = 0;
  virtual HRESULT GetPosition(DWORD* position) = 0;

 protected:
  ~IShowComment2Message() = default;
};
