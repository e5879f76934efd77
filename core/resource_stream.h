// A readable stream over the bytes of a module resource.
#pragma once

#include "platform/pendrel/stream_reader.h"
#include "platform/win32/com_object.h"
#include "platform/win32/resources.h"

namespace Quor {

class ResourceStream : public SimpleUnknownImp1<IQuorStreamReader, 0> {
 public:
  // A missing resource leaves a stream without data: every operation then fails with E_FAIL.
  ResourceStream(LPCWSTR name, LPCWSTR type, HMODULE module);

  HRESULT Read(void* target, DWORD elementSize, DWORD count, DWORD* read) override;
  HRESULT Seek(LONG offset, DWORD origin) override;
  HRESULT GetPosition(DWORD* position) override;
  HRESULT IsEnd() override;

 private:
  DWORD Size() const { return SizeofResource(m_module, m_info); }

  HMODULE m_module;
  HGLOBAL m_resource = nullptr;
  HRSRC m_info = nullptr;
  DWORD m_position = 0;
};

}  // namespace Quor
