// The uniform generator the enumerator tests draw from: the minimal standard generator
// (multiplier 16807, modulus 2^31 - 1, by Schrage's method) behind a shuffle table of 32
// entries, giving single-precision values in (0, 1) capped at 0.99999988. A run draws from a
// seed so that a failure can be replayed with it.
#pragma once

#include <array>

#include "platform/win32/types.h"

class Ran1 {
 public:
  static constexpr float kLargest = 0.99999988f;

  // A state of 0 or below (the usual seed is minus a positive number) starts the table.
  explicit Ran1(LONG state) : m_state(state) {}

  float Draw();
  // What a draw gives for a table entry: the entry over 2^31 - 1, capped.
  static float Output(LONG entry);
  // An index from 0 to n - 1.
  LONG RandomIndex(LONG n);

 private:
  void Start();
  void Step();

  LONG m_state;
  LONG m_last = 0;
  std::array<LONG, 32> m_table{};
};

// The seed of this run: the one the host's test runner gives, or else the calendar time in
// seconds (its low 32 bits); the generator starts from minus its absolute value.
LONG SelfTestSeed();
