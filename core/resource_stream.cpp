#include "core/resource_stream.h"

#include <algorithm>
#include <cstring>

#include "core/reader_seek.h"
#include "platform/win32/resources.h"

namespace Quor {

ResourceStream::ResourceStream(LPCWSTR name, LPCWSTR type, HMODULE module) : m_module(module) {
  m_info = FindResourceW(module, name, type);
  if (m_info) m_resource = LoadResource(module, m_info);
}

HRESULT ResourceStream::Read(void* target, DWORD elementSize, DWORD count, DWORD* read) {
  if (elementSize != 1) return E_FAIL;
  if (!target || !read) return E_INVALIDARG;
  if (!m_resource) return E_FAIL;
  const DWORD n = std::min(count, Size() - m_position);
  std::memcpy(target, static_cast<const BYTE*>(LockResource(m_resource)) + m_position, n);
  m_position += n;
  *read = n;
  return S_OK;
}

HRESULT ResourceStream::Seek(LONG offset, DWORD origin) {
  DWORD target = 0;
  const HRESULT hr = ResolveReaderSeek(m_position, Size(), offset, origin, &target);
  if (FAILED(hr)) return hr;
  if (!m_resource) return E_FAIL;
  m_position = target;
  return S_OK;
}

HRESULT ResourceStream::GetPosition(DWORD* position) {
  if (!position) return E_INVALIDARG;
  if (!m_resource) return E_FAIL;
  *position = m_position;
  return S_OK;
}

HRESULT ResourceStream::IsEnd() {
  if (!m_resource) return E_FAIL;
  return m_position >= Size() ? S_OK : S_FALSE;
}

}  // namespace Quor
