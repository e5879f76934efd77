// IStorage and IEnumSTATSTG, with the open-mode, commit and move constants.
#pragma once

#include "platform/win32/stream.h"

// Open modes (STGM_) beyond the access bits.
constexpr DWORD STGM_DIRECT = 0x00000000;
constexpr DWORD STGM_FAILIFTHERE = 0x00000000;
constexpr DWORD STGM_SHARE_DENY_NONE = 0x00000040;
constexpr DWORD STGM_SHARE_DENY_READ = 0x00000030;
constexpr DWORD STGM_SHARE_DENY_WRITE = 0x00000020;
constexpr DWORD STGM_SHARE_EXCLUSIVE = 0x00000010;
constexpr DWORD STGM_PRIORITY = 0x00040000;
constexpr DWORD STGM_CREATE = 0x00001000;
constexpr DWORD STGM_CONVERT = 0x00020000;
constexpr DWORD STGM_TRANSACTED = 0x00010000;
constexpr DWORD STGM_NOSCRATCH = 0x00100000;
constexpr DWORD STGM_NOSNAPSHOT = 0x00200000;
constexpr DWORD STGM_SIMPLE = 0x08000000;
constexpr DWORD STGM_DIRECT_SWMR = 0x00400000;
constexpr DWORD STGM_DELETEONRELEASE = 0x04000000;

// Commit flags (STGC_).
constexpr DWORD STGC_DEFAULT = 0;
constexpr DWORD STGC_OVERWRITE = 1;
constexpr DWORD STGC_ONLYIFCURRENT = 2;
constexpr DWORD STGC_DANGEROUSLYCOMMITMERELYTODISKCACHE = 4;
constexpr DWORD STGC_CONSOLIDATE = 8;

// MoveElementTo flags (STGMOVE_).
constexpr DWORD STGMOVE_MOVE = 0;
constexpr DWORD STGMOVE_COPY = 1;
constexpr DWORD STGMOVE_SHALLOWCOPY = 2;

// A null-terminated array of element names.
using SNB = OLECHAR**;

struct IEnumSTATSTG : IUnknown {
  PLATFORM_INTERFACE_ID("0000000d-0000-0000-C000-000000000046");
  using Base = IUnknown;
  virtual HRESULT Next(ULONG count, STATSTG* elements, ULONG* fetched) = 0;
  virtual HRESULT Skip(ULONG count) = 0;
  virtual HRESULT Reset() = 0;
  virtual HRESULT Clone(IEnumSTATSTG** clone) = 0;

 protected:
  ~IEnumSTATSTG() = default;
};

struct IStorage : IUnknown {
  PLATFORM_INTERFACE_ID("0000000b-0000-0000-C000-000000000046");
  using Base = IUnknown;
  virtual HRESULT CreateStream(const OLECHAR* name, DWORD mode, DWORD reserved1, DWORD reserved2,
                               IStream** stream) = 0;
  virtual HRESULT OpenStream(const OLECHAR* name, void* reserved1, DWORD mode, DWORD reserved2,
                             IStream** stream) = 0;
  virtual HRESULT CreateStorage(const OLECHAR* name, DWORD mode, DWORD reserved1, DWORD reserved2,
                                IStorage** storage) = 0;
  virtual HRESULT OpenStorage(const OLECHAR* name, IStorage* priority, DWORD mode, SNB exclude,
                              DWORD reserved, IStorage** storage) = 0;
  virtual HRESULT CopyTo(DWORD excludedIidCount, const IID* excludedIids, SNB excludedNames,
                         IStorage* destination) = 0;
  virtual HRESULT MoveElementTo(const OLECHAR* name, IStorage* destination, const OLECHAR* newName,
                                DWORD flags) = 0;
  virtual HRESULT Commit(DWORD flags) = 0;
  virtual HRESULT Revert() = 0;
  virtual HRESULT EnumElements(DWORD reserved1, void* reserved2, DWORD reserved3,
                               IEnumSTATSTG** enumerator) = 0;
  virtual HRESULT DestroyElement(const OLECHAR* name) = 0;
  virtual HRESULT RenameElement(const OLECHAR* oldName, const OLECHAR* newName) = 0;
  virtual HRESULT SetElementTimes(const OLECHAR* name, const FILETIME* ctime, const FILETIME* atime,
                                  const FILETIME* mtime) = 0;
  virtual HRESULT SetClass(REFCLSID clsid) = 0;
  virtual HRESULT SetStateBits(DWORD stateBits, DWORD mask) = 0;
  virtual HRESULT Stat(STATSTG* status, DWORD flags) = 0;

 protected:
  ~IStorage() = default;
};

using LPSTORAGE = IStorage*;
