// Quor::BitsetRep: the reference-counted representation of a bit set and the IQuorBitset that
// crosses the host boundary: stored 32-bit words and a fill word (0 or ~0) that stands for
// every word beyond them.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/pendrel/quor_bitset.h"
#include "platform/win32/com_object.h"

namespace Quor {

class BitsetRep : public SimpleUnknownImp1<IQuorBitset, 0> {
 public:
  // Every representation the set operations make has at least this many words.
  static constexpr std::size_t kMinimumWords = 2;

  // `words` words, all 0, fill 0; reference count 0.
  explicit BitsetRep(std::size_t words);
  // The words and fill word of `source` in `words` words (at least the source's); the added
  // words take the fill word.
  BitsetRep(const BitsetRep& source, std::size_t words);
  // Two zero words, fill 0, with one reference for the caller.
  static BitsetRep* CreateEmpty();

  DWORD GetVersion() override { return 1; }
  HRESULT Free() override;
  HRESULT GetWordCount(DWORD* count) override;
  HRESULT GetWords(int max, DWORD* words, DWORD* fill) override;
  HRESULT Clone(IQuorBitset** copy) override;

  std::size_t WordCount() const { return m_words.size(); }
  DWORD Fill() const { return m_fill; }
  // Word i, stored or not.
  DWORD Word(std::size_t i) const { return i < m_words.size() ? m_words[i] : m_fill; }
  DWORD* Words() { return m_words.data(); }
  void SetFill(DWORD fill) { m_fill = fill ? ~DWORD(0) : 0; }
  // Held by more than one owner: writing would change what the others see.
  bool Shared() const { return m_refCount > 1; }

 private:
  DWORD m_fill = 0;
  std::vector<DWORD> m_words;
};

}  // namespace Quor
