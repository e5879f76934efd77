// The RR interval export: a file format the host's save-as offers for an analysis document,
// one RR interval in seconds a line, the document's RR series as its last analysis left it.
// Module registration makes the class object and hands it to the host's class registry; the
// host owns it through its reference count.
#pragma once

#include "platform/pendrel/class_registry.h"

namespace Rhyth {

class RRIntervalSaveClassObject;

// The class type word: (host id of GUID_RhythDocumentObj << 16) | 4, asked once per process.
DWORD RRIntervalSaveTypeWord();

// A new class object with one reference for the caller.
ITarnClassObject* NewRRIntervalSaveClass();

}  // namespace Rhyth
