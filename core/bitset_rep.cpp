#include "core/bitset_rep.h"

#include <algorithm>

#include "core/com_call_guard.h"

namespace Quor {

BitsetRep::BitsetRep(std::size_t words) : m_words(words, 0) {}

BitsetRep::BitsetRep(const BitsetRep& source, std::size_t words)
    : SimpleUnknownImp1(), m_fill(source.m_fill), m_words(source.m_words) {
  m_words.resize(std::max(words, m_words.size()), m_fill);
}

BitsetRep* BitsetRep::CreateEmpty() {
  auto* rep = new BitsetRep(kMinimumWords);
  rep->AddRef();
  return rep;
}

HRESULT BitsetRep::Free() {
  if (m_refCount != 0) return E_FAIL;
  delete this;
  return S_OK;
}

HRESULT BitsetRep::GetWordCount(DWORD* count) {
  if (!count) return E_POINTER;
  *count = static_cast<DWORD>(m_words.size());
  return S_OK;
}

HRESULT BitsetRep::GetWords(int max, DWORD* words, DWORD* fill) {
  const std::size_t count = std::min<std::size_t>(std::max(max, 0), m_words.size());
  if ((!words && count) || !fill) return E_POINTER;
  std::copy_n(m_words.begin(), count, words);
  *fill = m_fill;
  return count < m_words.size() ? S_FALSE : S_OK;
}

HRESULT BitsetRep::Clone(IQuorBitset** copy) {
  if (!copy) return E_POINTER;
  *copy = nullptr;
  return GuardedCall([&] {
    *copy = new BitsetRep(*this, kMinimumWords);
    (*copy)->AddRef();
    return S_OK;
  });
}

}  // namespace Quor
