// A published value written only when it changes, so subscribers hear real changes only;
// the view models publish through it and the views subscribe (rules of Observable hold).
// Nothing here fails. Main thread only.
#pragma once

#include <utility>

#include "Support/Observable.h"

namespace varnelo {

template <class T>
class ChangeOnlyObservable {
 public:
  explicit ChangeOnlyObservable(T initial) : value_(std::move(initial)) {}
  const T& get() const { return value_.get(); }
  void set(T value) {
    if (value != value_.get()) value_.set(std::move(value));
  }
  [[nodiscard]] Subscription subscribe(typename Observable<T>::Observer observer) {
    return value_.subscribe(std::move(observer));
  }

 private:
  Observable<T> value_;
};

}  // namespace varnelo
