// The entry points to compound files that are kept: a file created or opened by name, or on
// lock bytes that the caller provides (for example over global memory). A file opened is
// checked whole before anything of it is used (see OpenCompoundFile); a refused file is left as
// it was. Every storage comes with one reference; the root commits at its last release.
#pragma once

#include "platform/win32/lock_bytes.h"
#include "platform/win32/storage.h"

// Open modes: STGM_READ, STGM_WRITE or STGM_READWRITE; any STGM_SHARE_ value; STGM_TRANSACTED
// or direct, which commit alike (both copies kept until a commit is complete). STGM_CONVERT and
// STGM_PRIORITY are refused with STG_E_INVALIDFLAG, as are a creation without write access and
// an open with STGM_CREATE or STGM_DELETEONRELEASE. The priority storage and the excluded names
// are not served: they must be null (else STG_E_INVALIDPARAMETER).

// A new, empty compound file: STGM_CREATE replaces a file of that name, without it such a file
// gives STG_E_FILEALREADYEXISTS. The file is written at the first commit.
HRESULT StgCreateDocfile(const OLECHAR* name, DWORD mode, DWORD reserved, IStorage** storage);
// An existing compound file: STG_E_FILENOTFOUND when there is none, STG_E_SHAREVIOLATION when
// another holds it, STG_E_DOCFILECORRUPT when it is not a sound compound file.
HRESULT StgOpenStorage(const OLECHAR* name, IStorage* priority, DWORD mode, SNB excludedNames,
                       DWORD reserved, IStorage** storage);
// As above, on lock bytes that the first commit writes the new file into.
HRESULT StgCreateDocfileOnILockBytes(ILockBytes* lockBytes, DWORD mode, DWORD reserved,
                                     IStorage** storage);
HRESULT StgOpenStorageOnILockBytes(ILockBytes* lockBytes, IStorage* priority, DWORD mode,
                                   SNB excludedNames, DWORD reserved, IStorage** storage);
