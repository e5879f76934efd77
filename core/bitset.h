// Quor::Bitset: a bit set of unbounded length as a value. Copies share one representation,
// and a change to a shared representation (held by another set, or by the host through
// GetInterface) writes to a private copy first.
#pragma once

#include "core/bitset_rep.h"

namespace Quor {

class Bitset {
 public:
  Bitset();
  Bitset(const Bitset& other);
  Bitset& operator=(Bitset other) noexcept;
  ~Bitset();

  // A copy of the interface's words and fill word; null gives the empty set.
  static Bitset FromInterface(IQuorBitset* object);
  // The representation, with one reference for the receiver.
  IQuorBitset* GetInterface() const;

  std::size_t WordCount() const { return m_rep->WordCount(); }
  DWORD Fill() const { return m_rep->Fill(); }
  DWORD Word(std::size_t i) const { return m_rep->Word(i); }
  bool TestBit(std::size_t n) const { return (Word(n >> 5) >> (n & 31)) & 1; }

  // A writable word i, the set grown to hold it (new words take the fill word).
  DWORD* MutableWord(std::size_t i);
  void SetBit(std::size_t n);
  // Sets bits 0 to n - 1.
  void SetRun(std::size_t n);

  bool operator==(const Bitset& other) const;
  Bitset& operator|=(const Bitset& other);
  Bitset& operator^=(const Bitset& other);

  // The highest set bit + 1, 0 for no bit, -1 when the fill word sets bits without end.
  LONGLONG BitLength() const;
  // -1 when no bit is set; the first bit of the fill when only the fill word sets bits.
  LONGLONG LowestSetBit() const;

 private:
  explicit Bitset(BitsetRep* rep);  // takes over one reference
  void Reallocate(std::size_t words);
  Bitset& Combine(const Bitset& other, DWORD (*operation)(DWORD, DWORD));

  BitsetRep* m_rep;
};

}  // namespace Quor
