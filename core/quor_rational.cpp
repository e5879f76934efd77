#include "core/quor_rational.h"

#include <cmath>
#include <limits>
#include <utility>

namespace {

// The largest term either part of an approximation may reach.
constexpr LONGLONG kTermLimit = 2147483646;
constexpr int kMaxTerms = 20;
// An integer part at or above this does not fit the 32-bit numerator.
constexpr double kApproximationLimit = 2147483648.0;

ULONGLONG Magnitude(LONGLONG value) {
  return value < 0 ? ULONGLONG(0) - ULONGLONG(value) : ULONGLONG(value);
}

LONGLONG Negated(LONGLONG value) {
  if (value == std::numeric_limits<LONGLONG>::min()) {
    throw QuorRationalImp::bad_rational("bad rational: value out of range");
  }
  return -value;
}

}  // namespace

void ApproximateRational(double x, LONG& numerator, LONG& denominator) {
  double y = std::fabs(x);
  // Truncating anything else to an integer term is undefined.
  if (!(y < kApproximationLimit)) throw QuorRationalImp::bad_rational("bad rational: value out of range");
  LONGLONG a = LONGLONG(y);
  LONGLONG p = a, q = 1, previousP = 1, previousQ = 0;
  for (int term = 0; term < kMaxTerms; ++term) {
    y -= double(a);
    if (y < 1.0 / double(kTermLimit)) break;
    y = 1.0 / y;
    a = LONGLONG(y);
    // The next convergent would pass the term limit.
    if (p > 0 && (kTermLimit - previousP) / p <= a) break;
    if (q > 0 && (kTermLimit - previousQ) / q <= a) break;
    previousP = std::exchange(p, a * p + previousP);
    previousQ = std::exchange(q, a * q + previousQ);
  }
  numerator = LONG(x > 0 ? p : -p);
  denominator = LONG(q);
}

QuorRational::QuorRational(LONGLONG numerator, LONGLONG denominator)
    : m_numerator(numerator), m_denominator(denominator) {
  Normalise();
}

QuorRational QuorRational::FromDouble(double x) {
  LONG numerator = 0, denominator = 1;
  ApproximateRational(x, numerator, denominator);
  return QuorRational(numerator, denominator);
}

ULONGLONG QuorRational::Gcd(LONGLONG a, LONGLONG b) {
  ULONGLONG x = Magnitude(a), y = Magnitude(b);
  while (y != 0) {
    x %= y;
    if (x == 0) return y;
    y %= x;
  }
  return x;
}

void QuorRational::Normalise() {
  if (m_denominator == 0) throw QuorRationalImp::bad_rational();
  if (m_numerator == 0) {
    m_denominator = 1;
    return;
  }
  const ULONGLONG divisor = Gcd(m_numerator, m_denominator);
  if (divisor > ULONGLONG(std::numeric_limits<LONGLONG>::max())) {
    // Only the smallest 64-bit value divides itself this way: the fraction is 1.
    m_numerator = m_denominator = 1;
    return;
  }
  m_numerator /= LONGLONG(divisor);
  m_denominator /= LONGLONG(divisor);
  if (m_denominator < 0) {
    m_numerator = Negated(m_numerator);
    m_denominator = Negated(m_denominator);
  }
}
