// Gives a variable a value for a block and puts the old one back, also when the block throws.
#pragma once

#include <utility>

template <typename T>
class TScopedValue {
 public:
  TScopedValue(T& Field, T Value) : FField(&Field), FOld(std::exchange(Field, std::move(Value))) {}
  ~TScopedValue() {
    if (FField) *FField = std::move(FOld);
  }
  TScopedValue(const TScopedValue&) = delete;
  TScopedValue& operator=(const TScopedValue&) = delete;
  // The variable's object is gone: nothing to put back.
  void Release() { FField = nullptr; }

 private:
  T* FField;
  T FOld;
};
