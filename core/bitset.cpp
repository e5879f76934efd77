#include "core/bitset.h"

#include <algorithm>
#include <bit>
#include <utility>

namespace Quor {

Bitset::Bitset() : m_rep(BitsetRep::CreateEmpty()) {}

Bitset::Bitset(BitsetRep* rep) : m_rep(rep) {}

Bitset::Bitset(const Bitset& other) : m_rep(other.m_rep) { m_rep->AddRef(); }

Bitset& Bitset::operator=(Bitset other) noexcept {
  std::swap(m_rep, other.m_rep);
  return *this;
}

Bitset::~Bitset() { m_rep->Release(); }

Bitset Bitset::FromInterface(IQuorBitset* object) {
  DWORD count = 0;
  if (!object || FAILED(object->GetWordCount(&count))) return Bitset();
  auto* rep = new BitsetRep(std::max<std::size_t>(count, BitsetRep::kMinimumWords));
  rep->AddRef();
  Bitset set(rep);
  DWORD fill = 0;
  if (FAILED(object->GetWords(static_cast<int>(count), rep->Words(), &fill))) return Bitset();
  rep->SetFill(fill);
  // Words the interface did not have stand for its fill word.
  std::fill(rep->Words() + count, rep->Words() + rep->WordCount(), rep->Fill());
  return set;
}

IQuorBitset* Bitset::GetInterface() const {
  m_rep->AddRef();
  return m_rep;
}

void Bitset::Reallocate(std::size_t words) {
  auto* rep = new BitsetRep(*m_rep, words);
  rep->AddRef();
  std::swap(m_rep, rep);
  rep->Release();
}

DWORD* Bitset::MutableWord(std::size_t i) {
  if (i >= WordCount() || m_rep->Shared()) {
    Reallocate(std::max({i + 1, WordCount(), BitsetRep::kMinimumWords}));
  }
  return m_rep->Words() + i;
}

void Bitset::SetBit(std::size_t n) {
  if (!TestBit(n)) *MutableWord(n >> 5) |= DWORD(1) << (n & 31);
}

void Bitset::SetRun(std::size_t n) {
  if (n == 0) return;
  const std::size_t top = (n - 1) >> 5;
  const unsigned bits = ((n - 1) & 31) + 1;
  *MutableWord(top) |= bits == 32 ? ~DWORD(0) : (DWORD(1) << bits) - 1;
  std::fill(m_rep->Words(), m_rep->Words() + top, ~DWORD(0));
}

bool Bitset::operator==(const Bitset& other) const {
  const std::size_t count = std::max(WordCount(), other.WordCount());
  for (std::size_t i = 0; i < count; ++i) {
    if (Word(i) != other.Word(i)) return false;
  }
  return (Fill() != 0) == (other.Fill() != 0);
}

Bitset& Bitset::Combine(const Bitset& other, DWORD (*operation)(DWORD, DWORD)) {
  // Holding the operand keeps it as it is when it is this very set.
  const Bitset operand(other);
  // Every word of the operand's range is made a stored word before the fill word changes,
  // so that none of them is left to stand for the new fill.
  const std::size_t count = std::max(WordCount(), operand.WordCount());
  MutableWord(count - 1);
  DWORD* words = m_rep->Words();
  for (std::size_t i = 0; i < count; ++i) words[i] = operation(words[i], operand.Word(i));
  m_rep->SetFill(operation(Fill(), operand.Fill()));
  return *this;
}

Bitset& Bitset::operator|=(const Bitset& other) {
  return Combine(other, [](DWORD a, DWORD b) { return a | b; });
}

Bitset& Bitset::operator^=(const Bitset& other) {
  return Combine(other, [](DWORD a, DWORD b) { return a ^ b; });
}

LONGLONG Bitset::BitLength() const {
  if (Fill()) return -1;
  for (std::size_t i = WordCount(); i-- > 0;) {
    if (const DWORD word = Word(i)) return LONGLONG(i) * 32 + std::bit_width(word);
  }
  return 0;
}

LONGLONG Bitset::LowestSetBit() const {
  for (std::size_t i = 0; i < WordCount(); ++i) {
    if (const DWORD word = Word(i)) return LONGLONG(i) * 32 + std::countr_zero(word);
  }
  return Fill() ? LONGLONG(WordCount()) * 32 : -1;
}

}  // namespace Quor
