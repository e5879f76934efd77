// Quor::SortedArray: a small sorted set on a value array. Values are kept in the order of Less
// and held once (Equal decides); finding is a binary search.
#pragma once

#include <algorithm>
#include <functional>

#include "core/array_ctor.h"

namespace Quor {

template <class T, int GrowBy, class Less = std::less<T>, class Equal = std::equal_to<T>>
class SortedArray : public CArrayCtor<T, GrowBy, 1> {
  using Base = CArrayCtor<T, GrowBy, 1>;

 public:
  // Inserts value in its place; false when an equal value is already held.
  bool Insert(const T& value) {
    const DWORD at = LowerBound(value);
    if (Holds(at, value)) return false;
    Base::InsertAt(at, value);
    return true;
  }

  // Index of the value, or -1.
  int Find(const T& value) const {
    const DWORD at = LowerBound(value);
    return Holds(at, value) ? int(at) : -1;
  }

  // Removes the value; false when it is not held.
  bool Remove(const T& value) {
    const int at = Find(value);
    if (at < 0) return false;
    Base::RemoveAt(DWORD(at));
    return true;
  }

 private:
  // Adding at an arbitrary place, or default values, would break the order.
  using Base::Add;
  using Base::InsertAt;
  using Base::SetSize;
  using Base::ConstructTo;

  DWORD LowerBound(const T& value) const {
    return DWORD(std::lower_bound(this->begin(), this->end(), value, Less()) - this->begin());
  }
  bool Holds(DWORD at, const T& value) const {
    return at < this->m_count && Equal()(this->m_data[at], value);
  }
};

}  // namespace Quor
