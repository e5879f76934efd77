// Value arrays that construct their elements in place. CArrayCtor<T, GrowBy, Doubling> grows by
// the step GrowBy, or to twice its capacity when Doubling is non-zero and that is larger; its new
// elements are default-constructed. CArrayCtorInit<T, GrowBy, Doubling> zero-initialises them
// (value-initialisation: zero for plain types).
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <utility>

#include "platform/win32/types.h"

template <class T>
class CArrayCtorBase {
 public:
  DWORD GetCount() const { return m_count; }
  DWORD GetCapacity() const { return m_capacity; }
  T& operator[](DWORD i) { return m_data[i]; }
  const T& operator[](DWORD i) const { return m_data[i]; }
  T* begin() { return m_data; }
  T* end() { return m_data + m_count; }
  const T* begin() const { return m_data; }
  const T* end() const { return m_data + m_count; }

 protected:
  CArrayCtorBase() = default;
  ~CArrayCtorBase() = default;

  T* m_data = nullptr;
  DWORD m_capacity = 0;
  DWORD m_count = 0;
  DWORD m_growBy = 1;
};

template <class T, int GrowBy, int Doubling>
class CArrayCtor : public CArrayCtorBase<T> {
  static_assert(GrowBy >= 1, "the grow-by step is at least 1");

 public:
  CArrayCtor() { this->m_growBy = GrowBy; }
  CArrayCtor(const CArrayCtor&) = delete;
  CArrayCtor& operator=(const CArrayCtor&) = delete;
  virtual ~CArrayCtor() { FreeBlock(); }

  // Makes the capacity n, moving the first min(n, count) elements; elements beyond a smaller n
  // are destroyed and the count drops to n.
  virtual void Reallocate(DWORD n) {
    if (n < this->m_count) {
      std::destroy_n(this->m_data + n, this->m_count - n);
      this->m_count = n;
    }
    T* data = nullptr;
    if (n) {
      data = std::allocator<T>().allocate(n);
      std::uninitialized_move_n(this->m_data, this->m_count, data);
    }
    FreeBlock();  // the moved-from elements
    this->m_data = data;
    this->m_capacity = n;
  }

  // Grows the count to n (never shrinks), constructing the new elements; true.
  virtual bool SetSize(DWORD n) {
    if (n <= this->m_count) return true;
    Reserve(n);
    ConstructTo(n);
    return true;
  }

  // Constructs the elements from the count up to n (at most the capacity) and makes that the
  // count; an n at or below the count does nothing.
  virtual void ConstructTo(DWORD n) {
    n = std::min(n, this->m_capacity);
    if (n <= this->m_count) return;
    std::uninitialized_default_construct_n(this->m_data + this->m_count, n - this->m_count);
    this->m_count = n;
  }

  DWORD Add(const T& value) {
    InsertAt(this->m_count, value);
    return this->m_count - 1;
  }

  // Inserts value before element i (i at most the count).
  void InsertAt(DWORD i, const T& value) {
    T copy(value);  // value may be an element that growing moves
    Reserve(this->m_count + 1);
    ::new (static_cast<void*>(this->m_data + this->m_count)) T(std::move(copy));
    ++this->m_count;
    std::rotate(this->m_data + i, this->m_data + this->m_count - 1, this->m_data + this->m_count);
  }

  void RemoveAt(DWORD i) {
    if (i >= this->m_count) return;
    std::move(this->m_data + i + 1, this->m_data + this->m_count, this->m_data + i);
    std::destroy_at(this->m_data + --this->m_count);
  }

  void RemoveAll() {
    std::destroy_n(this->m_data, this->m_count);
    this->m_count = 0;
  }

 protected:
  // Room for n elements: when n exceeds the capacity, the next multiple of the step above n or,
  // when doubling, twice the old capacity if that is larger.
  void Reserve(DWORD n) {
    if (n <= this->m_capacity) return;
    std::uint64_t capacity = (std::uint64_t(n) / this->m_growBy + 1) * this->m_growBy;
    if (Doubling) capacity = std::max(capacity, std::uint64_t(this->m_capacity) * 2);
    if (capacity > 0xFFFFFFFFu) throw std::length_error("CArrayCtor: too many elements");
    Reallocate(static_cast<DWORD>(capacity));
  }

 private:
  // Destroys the count elements of the block and frees it.
  void FreeBlock() {
    if (!this->m_data) return;
    std::destroy_n(this->m_data, this->m_count);
    std::allocator<T>().deallocate(this->m_data, this->m_capacity);
  }
};

template <class T, int GrowBy, int Doubling>
class CArrayCtorInit : public CArrayCtor<T, GrowBy, Doubling> {
 public:
  // Zero-initialises the elements from the count up to n (at most the capacity) and makes that
  // the count; an n at or below the count does nothing.
  void ConstructTo(DWORD n) override {
    n = std::min(n, this->m_capacity);
    if (n <= this->m_count) return;
    std::uninitialized_value_construct_n(this->m_data + this->m_count, n - this->m_count);
    this->m_count = n;
  }
};
