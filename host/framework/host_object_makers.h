// Host objects that libraries beside the framework make, such as the document library's
// arithmetic calculations: the class registry asks their makers for type words it has no object
// of its own for. A maker answers the type words of one GUID, (id of the GUID << 16) | n, so the
// framework need not know what the library makes, nor the library the GUID's id.
#pragma once

#include "host/framework/tarn_api.h"
#include "platform/win32/guid.h"

namespace Tarn {

// Makes a new object of `type` answering `iid`; REGDB_E_CLASSNOTREG for a number it does not
// make.
using HostObjectMaker = HRESULT (*)(DWORD type, REFIID iid, void** object);

// Makers stay for the life of the process: they are the host's, not a module's. Adding the same
// maker for the same GUID again changes nothing.
TARN_API void AddHostObjectMaker(REFGUID family, HostObjectMaker maker);
// A maker of one fixed host type code (0x8000xxxx), for the host's objects that live beside
// the framework, such as the objects behind module documents. A later maker of the same code
// takes the earlier one's place.
TARN_API void AddHostTypeMaker(DWORD type, HostObjectMaker maker);

// The object of the maker whose GUID forms `type`; REGDB_E_CLASSNOTREG when none does.
HRESULT MakeObjectOfMakers(DWORD type, REFIID iid, void** object);
// Whether a maker answers the type words of the GUID that forms `type`.
bool MakersAnswer(DWORD type);

}  // namespace Tarn
