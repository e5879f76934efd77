// The class object of the Tabulon function T: T is made with (class object, host object, x).
#pragma once

#include "hostframework/tabulon/tabulon_func_class_base.h"

template <class T>
class TabulonFuncClass final : public TabulonFuncClassBase {
 public:
  TabulonFuncClass(const TabulonFuncGroup& group, const TabulonFuncInfo& info)
      : TabulonFuncClassBase(group, info) {}

 private:
  ITabulonFunction* MakeFunction(IUnknown* host, LONG_PTR x) override {
    return new T(this, host, x);
  }
};
