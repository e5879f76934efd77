// The data document's texts of its recording, as the analysis report writes them: the
// document's name, the mode in which the host shows times, a place of the recording as the
// host writes it, and the tick offset where the data ends. A data document answers
// IPendrelDocumentTimeText; the texts are the host's.
#pragma once

#include "core/iquor_string.h"
#include "platform/win32/bstr.h"

// The format block of a position text: the kind of place (kSelectionOfData), then two words 0.
struct PendrelTextFormat {
  DWORD kind;
  DWORD reserved1;
  DWORD reserved2;
};
static_assert(sizeof(PendrelTextFormat) == 12);

// The argument of GetEndPosition that asks for the end of the document's data.
inline constexpr DWORD kDataEndPosition = 0xC0000000;

// The host's time display modes (the low byte of a mode word).
inline constexpr BYTE kTimeDisplayElapsed = 2;
inline constexpr BYTE kTimeDisplayClock = 3;

// Flags of a position text: written whole, and with the time of day in clock mode.
inline constexpr DWORD kPositionTextWhole = 0x10000000;
inline constexpr DWORD kPositionTextClock = 0x10800000;

struct IPendrelDocumentTimeText : IUnknown {
  PLATFORM_INTERFACE_ID("df2b7d1e-e8df-4091-91d6-6143e2cdabdb");
  using Base = IUnknown;
  // Frees a text already in `name`; an empty name leaves it null.
  virtual HRESULT GetName(BSTR* name) = 0;
  virtual HRESULT GetTimeDisplayMode(BYTE* mode) = 0;
  // The text of tick `offset` of `record`; E_INVALIDARG for a place outside the data or a
  // format of another kind.
  virtual HRESULT PositionToText(DWORD reserved, const PendrelTextFormat* format, LONG offset,
                                 LONG record, DWORD flags, BYTE mode, IQuorString** text) = 0;
  // kDataEndPosition: the tick count of the last record; other arguments E_INVALIDARG.
  virtual HRESULT GetEndPosition(DWORD which, LONG* offset) = 0;

 protected:
  ~IPendrelDocumentTimeText() = default;
};
