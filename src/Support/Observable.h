// A value that tells its subscribers when it is written; the settings and every view
// model publish their state through it, and views subscribe.
// Main thread only.
// Rules:
//   1. set() stores the value first, then calls the subscribers in subscription order, on
//      every write (equal values included, as a "will change" publisher does).
//   2. A subscriber added while subscribers are being called is first called on the next
//      write; one removed meanwhile is not called any more.
//   3. Destroying (or reset()ting) a Subscription ends it; a Subscription that outlives
//      its Observable does nothing.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace varnelo {

// Ends a subscription when destroyed. Movable, not copyable.
class Subscription {
 public:
  Subscription() = default;
  explicit Subscription(std::function<void()> cancel) : cancel_(std::move(cancel)) {}
  Subscription(Subscription&& other) noexcept : cancel_(std::exchange(other.cancel_, nullptr)) {}
  Subscription& operator=(Subscription&& other) noexcept {
    if (this != &other) {
      reset();
      cancel_ = std::exchange(other.cancel_, nullptr);
    }
    return *this;
  }
  Subscription(const Subscription&) = delete;
  Subscription& operator=(const Subscription&) = delete;
  ~Subscription() { reset(); }

  bool isActive() const { return cancel_ != nullptr; }

  void reset() {
    if (auto cancel = std::exchange(cancel_, nullptr)) cancel();
  }

 private:
  std::function<void()> cancel_;
};

template <class T>
class Observable {
 public:
  using Observer = std::function<void(const T&)>;

  explicit Observable(T initial) : value_(std::move(initial)) {}
  Observable(const Observable&) = delete;
  Observable& operator=(const Observable&) = delete;

  const T& get() const { return value_; }

  void set(T value) {
    value_ = std::move(value);
    // A snapshot of the ids, so that subscribing or unsubscribing inside a call is safe.
    std::vector<std::uint64_t> ids;
    for (const auto& entry : *entries_) ids.push_back(entry.id);
    for (std::uint64_t id : ids) {
      Observer observer = find(id);
      if (observer) observer(value_);
    }
  }

  [[nodiscard]] Subscription subscribe(Observer observer) {
    std::uint64_t id = ++lastId_;
    entries_->push_back({id, std::move(observer)});
    std::weak_ptr<std::vector<Entry>> weak = entries_;
    return Subscription([weak, id] {
      auto entries = weak.lock();
      if (!entries) return;
      std::erase_if(*entries, [id](const Entry& entry) { return entry.id == id; });
    });
  }

 private:
  struct Entry {
    std::uint64_t id;
    Observer observer;
  };

  Observer find(std::uint64_t id) const {
    for (const auto& entry : *entries_) {
      if (entry.id == id) return entry.observer;
    }
    return nullptr;
  }

  T value_;
  std::uint64_t lastId_ = 0;
  std::shared_ptr<std::vector<Entry>> entries_ = std::make_shared<std::vector<Entry>>();
};

}  // namespace varnelo
