// The enumerator of a storage's elements, in table order. It keeps the storage alive and
// counts its place by index, so that elements destroyed meanwhile are simply not reached.
#pragma once

#include "platform/win32/com_object.h"
#include "platform/win32/storage.h"

class QuorStorage;

class StatStgEnumerator final : public SimpleUnknownImp1<IEnumSTATSTG, 1> {
 public:
  explicit StatStgEnumerator(QuorStorage* storage);

  HRESULT Next(ULONG count, STATSTG* elements, ULONG* fetched) override;
  HRESULT Skip(ULONG count) override;
  HRESULT Reset() override;
  HRESULT Clone(IEnumSTATSTG** clone) override;

 private:
  ~StatStgEnumerator() override;

  QuorStorage* m_storage;
  DWORD m_next = 0;
};
