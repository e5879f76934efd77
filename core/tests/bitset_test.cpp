#include "core/bitset.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

using Quor::Bitset;
using Quor::BitsetRep;

constexpr DWORD kAll = ~DWORD(0);

// A bit set as the host might hand one over.
class HostBitset final : public NoDeleteUnknownImp1<IQuorBitset> {
 public:
  HostBitset(std::vector<DWORD> words, DWORD fill) : m_words(std::move(words)), m_fill(fill) {}
  DWORD GetVersion() override { return 1; }
  HRESULT Free() override { return E_FAIL; }
  HRESULT GetWordCount(DWORD* count) override {
    *count = DWORD(m_words.size());
    return S_OK;
  }
  HRESULT GetWords(int max, DWORD* words, DWORD* fill) override {
    std::copy_n(m_words.begin(), std::min<std::size_t>(max, m_words.size()), words);
    *fill = m_fill;
    return S_OK;
  }
  HRESULT Clone(IQuorBitset**) override { return E_NOTIMPL; }

 private:
  std::vector<DWORD> m_words;
  DWORD m_fill;
};

Bitset MakeSet(std::vector<DWORD> words, DWORD fill) {
  HostBitset host(std::move(words), fill);
  return Bitset::FromInterface(&host);
}

std::vector<DWORD> WordsOf(IQuorBitset* set, DWORD& fill) {
  DWORD count = 0;
  set->GetWordCount(&count);
  std::vector<DWORD> words(count);
  set->GetWords(int(count), words.data(), &fill);
  return words;
}

TEST(Bitset, RunsSetTheirLowBits) {
  struct Case {
    std::size_t n;
    std::vector<DWORD> words;
  } cases[] = {
      {0, {0, 0}},
      {1, {1, 0}},
      {32, {kAll, 0}},
      {33, {kAll, 1}},
      {70, {kAll, kAll, 0x3F}},
  };
  for (const Case& c : cases) {
    Bitset set;
    set.SetRun(c.n);
    EXPECT_EQ(set, MakeSet(c.words, 0)) << c.n;
    EXPECT_EQ(set.BitLength(), LONGLONG(c.n)) << c.n;
  }
}

TEST(Bitset, EqualityLooksThroughTheFillWord) {
  const Bitset two = MakeSet({5, 0}, 0);
  EXPECT_EQ(two, MakeSet({5, 0, 0, 0, 0}, 0));
  EXPECT_FALSE(two == MakeSet({5, 0, 0, 0, 0}, kAll));
  EXPECT_FALSE(two == MakeSet({5, 0, 0, 1, 0}, 0));
  EXPECT_EQ(MakeSet({5, 0}, kAll), MakeSet({5, 0, kAll}, kAll));
}

TEST(Bitset, BitLengthAndLowestSetBit) {
  struct Case {
    Bitset set;
    LONGLONG length;
    LONGLONG lowest;
  } cases[] = {
      {MakeSet({1, 0}, 0), 1, 0},
      {MakeSet({0x80000000, 0}, 0), 32, 31},
      {MakeSet({0, 1}, 0), 33, 32},
      {MakeSet({0, 0}, 0), 0, -1},
      {MakeSet({0, 0}, kAll), -1, 64},
      {MakeSet({0, 0x100}, kAll), -1, 40},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.set.BitLength(), c.length);
    EXPECT_EQ(c.set.LowestSetBit(), c.lowest);
  }
}

TEST(Bitset, XorWithItselfOrItsCopyIsEmpty) {
  Bitset set = MakeSet({7, 9, 11}, kAll);
  Bitset copy = set;
  copy ^= set;
  set ^= set;
  for (const Bitset* result : {&set, &copy}) {
    EXPECT_EQ(result->Fill(), 0u);
    for (std::size_t i = 0; i < result->WordCount(); ++i) EXPECT_EQ(result->Word(i), 0u);
  }
}

TEST(Bitset, CombiningWithALongerSetOfAnotherFillKeepsItsWords) {
  // Words 2 and 3 of the longer set are 0: they must not be left to the new fill word.
  Bitset orSet = MakeSet({1, 0}, 0);
  orSet |= MakeSet({0, 0, 0, 0}, kAll);
  EXPECT_FALSE(orSet.TestBit(64));
  EXPECT_TRUE(orSet.TestBit(128));
  EXPECT_EQ(orSet.LowestSetBit(), 0);
  EXPECT_EQ(orSet, MakeSet({1, 0, 0, 0}, kAll));

  Bitset xorSet = MakeSet({0, 0}, kAll);
  xorSet ^= MakeSet({0, 0, 0, 0}, kAll);
  EXPECT_TRUE(xorSet.TestBit(64));
  EXPECT_FALSE(xorSet.TestBit(128));
  EXPECT_EQ(xorSet.BitLength(), 128);
  EXPECT_EQ(xorSet.LowestSetBit(), 64);
}

TEST(Bitset, ASetHandedToTheHostIsNotChangedUnderIt) {
  Bitset set = MakeSet({1, 0}, 0);
  IQuorBitset* held = set.GetInterface();
  set.SetBit(5);
  set |= MakeSet({0, 2}, 0);
  DWORD fill = 1;
  EXPECT_EQ(WordsOf(held, fill), (std::vector<DWORD>{1, 0}));
  EXPECT_EQ(fill, 0u);
  held->Release();

  Bitset copy = set;
  copy.SetBit(3);
  EXPECT_FALSE(set.TestBit(3));
  EXPECT_TRUE(copy.TestBit(5));
}

TEST(BitsetRep, InterfaceCopiesWordsAndCountsReferences) {
  BitsetRep* rep = BitsetRep::CreateEmpty();
  DWORD words[2] = {9, 9};
  DWORD fill = 9;
  EXPECT_EQ(rep->GetVersion(), 1u);
  EXPECT_EQ(rep->GetWords(1, words, &fill), S_FALSE);
  EXPECT_EQ(fill, 0u);
  EXPECT_EQ(words[1], 9u);
  EXPECT_EQ(rep->GetWords(5, words, &fill), S_OK);
  EXPECT_EQ(rep->Free(), E_FAIL);  // still held

  IQuorBitset* clone = nullptr;
  ASSERT_EQ(rep->Clone(&clone), S_OK);
  DWORD count = 0;
  clone->GetWordCount(&count);
  EXPECT_EQ(count, 2u);
  IUnknown* unknown = nullptr;
  EXPECT_EQ(clone->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)), S_OK);
  EXPECT_EQ(clone->Release(), 1u);
  unknown->Release();
  EXPECT_EQ(rep->Release(), 0u);

  auto* unheld = new BitsetRep(3);
  EXPECT_EQ(unheld->Free(), S_OK);
}

TEST(Bitset, FromInterfacePadsShortSetsWithTheirFill) {
  EXPECT_EQ(Bitset::FromInterface(nullptr), Bitset());
  const Bitset set = MakeSet({6}, kAll);
  EXPECT_EQ(set.WordCount(), 2u);
  EXPECT_EQ(set.Word(1), kAll);
  EXPECT_EQ(set.LowestSetBit(), 1);
}

// The model: the value of each bit below kModelBits, and one value for every bit beyond.
constexpr std::size_t kModelBits = 16 * 32;
constexpr std::size_t kMaxIndex = 12 * 32;

struct Model {
  std::vector<bool> bits = std::vector<bool>(kModelBits);
  bool tail = false;

  bool operator==(const Model& other) const = default;
};

struct Pair {
  Bitset set;
  Model model;
};

Pair RandomPair(std::mt19937& random) {
  std::vector<DWORD> words(1 + random() % 6);
  for (DWORD& word : words) {
    const unsigned kind = random() % 4;
    word = kind == 0 ? 0 : kind == 1 ? kAll : DWORD(random());
  }
  const bool tail = random() % 2;
  Pair pair{MakeSet(words, tail ? kAll : 0), {}};
  pair.model.tail = tail;
  for (std::size_t n = 0; n < kModelBits; ++n) {
    pair.model.bits[n] = n / 32 < words.size() ? (words[n / 32] >> (n % 32)) & 1 : tail;
  }
  return pair;
}

void ExpectMatches(const Pair& pair, int step) {
  const Model& model = pair.model;
  for (std::size_t n = 0; n < kModelBits; ++n) {
    ASSERT_EQ(pair.set.TestBit(n), model.bits[n]) << "bit " << n << " at step " << step;
  }
  EXPECT_EQ(pair.set.Fill() != 0, model.tail) << step;
  LONGLONG length = model.tail ? -1 : 0;
  for (std::size_t n = 0; n < kModelBits && !model.tail; ++n) {
    if (model.bits[n]) length = LONGLONG(n) + 1;
  }
  EXPECT_EQ(pair.set.BitLength(), length) << step;
  const std::size_t stored = pair.set.WordCount() * 32;
  LONGLONG lowest = model.tail ? LONGLONG(stored) : -1;
  for (std::size_t n = 0; n < stored; ++n) {
    if (model.bits[n]) {
      lowest = LONGLONG(n);
      break;
    }
  }
  EXPECT_EQ(pair.set.LowestSetBit(), lowest) << step;
}

TEST(Bitset, RandomOperationsMatchTheModel) {
  std::mt19937 random(20240605);
  Pair a = RandomPair(random);
  for (int step = 0; step < 3000; ++step) {
    Pair b = RandomPair(random);
    const std::size_t n = random() % kMaxIndex;
    switch (random() % 6) {
      case 0:
        a.set.SetBit(n);
        a.model.bits[n] = true;
        break;
      case 1:
        a.set.SetRun(n);
        for (std::size_t i = 0; i < n; ++i) a.model.bits[i] = true;
        break;
      case 2:
        a.set |= b.set;
        for (std::size_t i = 0; i < kModelBits; ++i) a.model.bits[i] = a.model.bits[i] || b.model.bits[i];
        a.model.tail = a.model.tail || b.model.tail;
        break;
      case 3:
        a.set ^= b.set;
        for (std::size_t i = 0; i < kModelBits; ++i) a.model.bits[i] = a.model.bits[i] != b.model.bits[i];
        a.model.tail = a.model.tail != b.model.tail;
        break;
      case 4:
        a = b;
        break;
      case 5: {
        // A copy that shares the representation and then changes on its own.
        Pair copy = a;
        copy.set.SetBit(n);
        copy.model.bits[n] = true;
        ExpectMatches(copy, step);
        break;
      }
    }
    ExpectMatches(a, step);
    EXPECT_EQ(a.set == b.set, a.model == b.model) << step;
    if (HasFatalFailure()) return;
  }
}

}  // namespace
