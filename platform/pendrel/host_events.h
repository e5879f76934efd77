// The events the host raises on a data document for the module documents that observe it, and
// the host messages a module document sends to the host. Event words are (the host's id of a
// GUID << 16) | n; the words with the high bit set are the host's fixed ones.
#pragma once

#include "platform/win32/guid.h"

// The host's view framework: (its id << 16) | n are the data events below.
inline constexpr GUID GUID_TarnViewFramework =
    win32::ParseGuid("5d0a3c7e-91b4-4f62-8e2d-b7a1c6f4e093");
// The host's child-document framework: (its id << 16) | 0 is the type word of the child data
// that documents find through their data document (the analysis manager); | 5, 6, 7 the
// analysis manager's events.
inline constexpr GUID GUID_TarnChildDocument =
    win32::ParseGuid("a46e1d9b-3c02-4b85-97f0-2e5d8c1b6a37");

// Data events, the n of view-framework words. Their parameter blocks are 32-bit words.
constexpr DWORD kDataEventChanged = 4;             // none: the data changed, check what you hold
constexpr DWORD kDataEventCalculationChanged = 6;  // channel, kind, calculation (low, high word)
constexpr DWORD kDataEventRangeChanged = 14;       // start offset, record, end offset, record
constexpr DWORD kDataEventRangeDeleted = 16;       // as 14
constexpr DWORD kDataEventChannelChanged = 20;     // channel
constexpr DWORD kDataEventChannelDeleted = 22;     // channel

// Analysis manager events, the n of child-document words; no parameters.
constexpr DWORD kManagerEventClear = 5;
constexpr DWORD kManagerEventAnalyse = 6;
constexpr DWORD kManagerEventReportRegion = 7;

// A module document was attached to its data document (loaded or created); the parameters are
// the data document object twice, each as a pointer in two 32-bit words (low word first).
constexpr DWORD kHostEventDocumentAttached = 0x80000000;
constexpr DWORD kHostEventDocumentDetached = 0x80000001;

// The host message that opens (or activates) a view of a document; its data is one 32-bit
// value kind word (4) and the view's type word.
constexpr DWORD kTarnMessageOpenView = 0x80010000;
constexpr DWORD kTarnValueKindWord = 4;
