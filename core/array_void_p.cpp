#include "core/array_void_p.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>

namespace {

DWORD CheckedCapacity(std::uint64_t capacity) {
  if (capacity > 0xFFFFFFFFu) throw std::length_error("CArrayVoidP: too many elements");
  return static_cast<DWORD>(capacity);
}

}  // namespace

CArrayVoidP::CArrayVoidP(const CArrayVoidP& source)
    : m_capacity(source.m_capacity),
      m_data(source.m_capacity ? new void*[source.m_capacity] : nullptr),
      m_count(source.m_count) {
  std::copy_n(source.m_data.get(), m_count, m_data.get());
}

CArrayVoidP::~CArrayVoidP() = default;

void CArrayVoidP::Reallocate(DWORD n) {
  if (n < m_count) {
    DisposeRange(n, m_count);
    m_count = n;
  }
  std::unique_ptr<void*[]> data(n ? new void*[n] : nullptr);
  std::copy_n(m_data.get(), m_count, data.get());
  m_data = std::move(data);
  m_capacity = n;
}

void CArrayVoidP::SetSize(DWORD n) {
  if (n <= m_count) return;
  if (n > m_capacity) {
    std::uint64_t capacity = (std::uint64_t(n) / m_growBy + 1) * m_growBy;
    if (m_doubling) capacity = std::max(capacity, std::uint64_t(m_capacity) * 2);
    Reallocate(CheckedCapacity(capacity));
  }
  std::fill(m_data.get() + m_count, m_data.get() + n, nullptr);
  m_count = n;
}

void** CArrayVoidP::ElementAtGrow(DWORD i) {
  if (i >= m_count) {
    if (i >= m_capacity) {
      std::uint64_t capacity = std::uint64_t(m_growBy) + i;
      if (m_doubling) capacity = std::max(capacity, std::uint64_t(m_capacity) * 2);
      Reallocate(CheckedCapacity(capacity));
    }
    SetSize(i + 1);
  }
  return &m_data[i];
}

DWORD CArrayVoidP::Add(void* p) {
  const DWORD index = m_count;
  *ElementAtGrow(index) = p;
  return index;
}

void CArrayVoidP::RemoveAt(DWORD i) {
  if (i >= m_count) return;
  DisposeRange(i, i + 1);
  std::copy(m_data.get() + i + 1, m_data.get() + m_count, m_data.get() + i);
  --m_count;
}

void CArrayVoidP::RemoveAll() {
  DisposeRange(0, m_count);
  m_count = 0;
}

int CArrayVoidP::IndexOf(const void* p) const {
  const auto found = std::find(m_data.get(), m_data.get() + m_count, p);
  return found == m_data.get() + m_count ? -1 : int(found - m_data.get());
}
