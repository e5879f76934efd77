// A GDI+ affine transform: points are row vectors, so (x, y) maps to
// (m11 x + m21 y + dx, m12 x + m22 y + dy). Prepending an operation makes it apply before what
// the matrix already does; appending, after. A plain value owned by whoever made it.
#pragma once

#include "platform/gdiplus/types.h"

namespace Gdiplus {

class Matrix {
 public:
  Matrix() = default;
  Matrix(REAL m11, REAL m12, REAL m21, REAL m22, REAL dx, REAL dy)
      : m_elements{m11, m12, m21, m22, dx, dy} {}

  Matrix* Clone() const { return new Matrix(*this); }
  Status GetElements(REAL* elements) const;
  Status SetElements(REAL m11, REAL m12, REAL m21, REAL m22, REAL dx, REAL dy);
  Status Reset() { return SetElements(1, 0, 0, 1, 0, 0); }
  Status Multiply(const Matrix* other, MatrixOrder order = MatrixOrderPrepend);
  Status Translate(REAL dx, REAL dy, MatrixOrder order = MatrixOrderPrepend);
  // Clockwise on a surface whose y axis points down, in degrees.
  Status Rotate(REAL angle, MatrixOrder order = MatrixOrderPrepend);
  Status Scale(REAL sx, REAL sy, MatrixOrder order = MatrixOrderPrepend);
  Status TransformPoints(PointF* points, INT count = 1) const;
  BOOL IsIdentity() const;
  Status GetLastStatus() const { return Ok; }

  // The element in double precision, for drawing: m11, m12, m21, m22, dx, dy.
  double Element(int index) const { return m_elements[index]; }
  // How much the matrix scales lengths on average: the square root of its determinant's size.
  double LengthScale() const;

 private:
  double m_elements[6] = {1, 0, 0, 1, 0, 0};
};

}  // namespace Gdiplus
