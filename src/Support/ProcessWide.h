// One process-wide instance of a type: installed once at start-up (and released at exit),
// then reached from anywhere. Reaching it before it is installed is a programming error
// (asserted). Any thread: a mutex guards the slot, not the instance.
#pragma once

#include <cassert>
#include <memory>
#include <mutex>
#include <utility>

namespace varnelo {

template <class T>
class ProcessWide {
 public:
  static T& get() {
    std::lock_guard lock(slot().mutex);
    assert(slot().instance && "the process-wide instance must be installed at start-up");
    return *slot().instance;
  }
  // Answers the previous instance (null if none).
  static std::shared_ptr<T> install(std::shared_ptr<T> instance) {
    std::lock_guard lock(slot().mutex);
    return std::exchange(slot().instance, std::move(instance));
  }

 private:
  struct Slot {
    std::mutex mutex;
    std::shared_ptr<T> instance;
  };
  static Slot& slot() {
    static Slot instance;
    return instance;
  }
};

}  // namespace varnelo
