#include "TestSuite/UnitTestHelperLib/ran1.h"

#include <cstdlib>
#include <ctime>

#include "hostframework/host_services.h"

namespace {

constexpr LONG kMultiplier = 16807;
constexpr LONG kModulus = 2147483647;
constexpr LONG kQuotient = 127773;  // kModulus / kMultiplier
constexpr LONG kRemainder = 2836;   // kModulus % kMultiplier
constexpr LONG kTableDivisor = 1 + (kModulus - 1) / 32;
constexpr double kScale = 1.0 / kModulus;
constexpr double kCap = 1.0 - 1.2e-7;

}  // namespace

void Ran1::Step() {
  // Schrage's method: 16807 * state mod (2^31 - 1) without overflow.
  const LONG k = m_state / kQuotient;
  m_state = kMultiplier * (m_state - k * kQuotient) - kRemainder * k;
  if (m_state < 0) m_state += kModulus;
}

void Ran1::Start() {
  // Widened: the most negative state has no positive counterpart among 32-bit integers.
  const LONGLONG positive = -LONGLONG(m_state);
  m_state = positive < 1 ? 1 : LONG(positive < kModulus ? positive : kModulus - 1);
  for (int j = int(m_table.size()) + 7; j >= 0; --j) {
    Step();
    if (j < int(m_table.size())) m_table[std::size_t(j)] = m_state;
  }
  m_last = m_table[0];
}

float Ran1::Draw() {
  if (m_state <= 0 || m_last == 0) Start();
  Step();
  const std::size_t j = std::size_t(m_last / kTableDivisor);
  m_last = m_table[j];
  m_table[j] = m_state;
  return Output(m_last);
}

float Ran1::Output(LONG entry) {
  const float value = float(kScale * entry);
  return value > kCap ? float(kCap) : value;
}

LONG Ran1::RandomIndex(LONG n) {
  return LONG(double(Draw()) * (double(n - 1) + 0.999999999));
}

LONG SelfTestSeed() {
  LONG seed = 0;
  if (ITarnUnitTestRegistry* registry = GetUnitTestRegistry()) {
    if (registry->GetRunSeed(&seed) == S_OK) return seed;
  }
  return LONG(DWORD(ULONGLONG(std::time(nullptr)) & 0xFFFFFFFFu));
}
