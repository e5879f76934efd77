#include "platform/gdiplus/matrix.h"

#include <cmath>
#include <numbers>

namespace Gdiplus {

Status Matrix::GetElements(REAL* elements) const {
  if (!elements) return InvalidParameter;
  for (int i = 0; i < 6; ++i) elements[i] = REAL(m_elements[i]);
  return Ok;
}

Status Matrix::SetElements(REAL m11, REAL m12, REAL m21, REAL m22, REAL dx, REAL dy) {
  const double values[6] = {m11, m12, m21, m22, dx, dy};
  for (int i = 0; i < 6; ++i) m_elements[i] = values[i];
  return Ok;
}

Status Matrix::Multiply(const Matrix* other, MatrixOrder order) {
  if (!other) return InvalidParameter;
  // Products are formed in double precision so a long chain of pushes and pops stays exact.
  Matrix result;
  const Matrix& a = order == MatrixOrderPrepend ? *other : *this;
  const Matrix& b = order == MatrixOrderPrepend ? *this : *other;
  for (int i = 0; i < 6; ++i) result.m_elements[i] = 0;
  result.m_elements[0] = a.m_elements[0] * b.m_elements[0] + a.m_elements[1] * b.m_elements[2];
  result.m_elements[1] = a.m_elements[0] * b.m_elements[1] + a.m_elements[1] * b.m_elements[3];
  result.m_elements[2] = a.m_elements[2] * b.m_elements[0] + a.m_elements[3] * b.m_elements[2];
  result.m_elements[3] = a.m_elements[2] * b.m_elements[1] + a.m_elements[3] * b.m_elements[3];
  result.m_elements[4] = a.m_elements[4] * b.m_elements[0] + a.m_elements[5] * b.m_elements[2] + b.m_elements[4];
  result.m_elements[5] = a.m_elements[4] * b.m_elements[1] + a.m_elements[5] * b.m_elements[3] + b.m_elements[5];
  *this = result;
  return Ok;
}

Status Matrix::Translate(REAL dx, REAL dy, MatrixOrder order) {
  const Matrix step(1, 0, 0, 1, dx, dy);
  return Multiply(&step, order);
}

Status Matrix::Rotate(REAL angle, MatrixOrder order) {
  const double radians = angle * std::numbers::pi / 180;
  Matrix step;
  step.m_elements[0] = std::cos(radians);
  step.m_elements[1] = std::sin(radians);
  step.m_elements[2] = -std::sin(radians);
  step.m_elements[3] = std::cos(radians);
  return Multiply(&step, order);
}

Status Matrix::Scale(REAL sx, REAL sy, MatrixOrder order) {
  const Matrix step(sx, 0, 0, sy, 0, 0);
  return Multiply(&step, order);
}

Status Matrix::TransformPoints(PointF* points, INT count) const {
  if (!points || count < 0) return InvalidParameter;
  for (INT i = 0; i < count; ++i) {
    const double x = points[i].X, y = points[i].Y;
    points[i].X = REAL(m_elements[0] * x + m_elements[2] * y + m_elements[4]);
    points[i].Y = REAL(m_elements[1] * x + m_elements[3] * y + m_elements[5]);
  }
  return Ok;
}

BOOL Matrix::IsIdentity() const {
  return m_elements[0] == 1 && m_elements[1] == 0 && m_elements[2] == 0 && m_elements[3] == 1 &&
         m_elements[4] == 0 && m_elements[5] == 0;
}

double Matrix::LengthScale() const {
  return std::sqrt(std::fabs(m_elements[0] * m_elements[3] - m_elements[1] * m_elements[2]));
}

}  // namespace Gdiplus
