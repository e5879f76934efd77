// QuorRational: a fraction of two 64-bit integers, kept in lowest terms with the sign on the
// numerator (a zero value is 0/1).
#pragma once

#include <stdexcept>

#include "platform/win32/types.h"

namespace QuorRationalImp {

// A zero denominator, or a value no fraction of this kind can hold.
class bad_rational : public std::domain_error {
 public:
  bad_rational() : std::domain_error("bad rational: zero denominator") {}
  explicit bad_rational(const char* text) : std::domain_error(text) {}
};

}  // namespace QuorRationalImp

// A fraction close to x with 32-bit terms, from the continued fraction of x. Throws
// bad_rational for x not finite or with an integer part beyond 32 bits.
void ApproximateRational(double x, LONG& numerator, LONG& denominator);

class QuorRational {
 public:
  // Normalised; throws bad_rational for a zero denominator.
  explicit QuorRational(LONGLONG numerator = 0, LONGLONG denominator = 1);

  static QuorRational FromDouble(double x);
  // The greatest common divisor of |a| and |b|; |a| when b is 0.
  static ULONGLONG Gcd(LONGLONG a, LONGLONG b);

  void Normalise();

  LONGLONG Numerator() const { return m_numerator; }
  LONGLONG Denominator() const { return m_denominator; }
  double ToDouble() const { return double(m_numerator) / double(m_denominator); }

 private:
  LONGLONG m_numerator;
  LONGLONG m_denominator;
};
