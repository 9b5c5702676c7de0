#include "Support/Metrics.h"

#include <atomic>

namespace varnelo::Metrics {

namespace {

constexpr OsVersion kFirstModern{26, 0, 0};

constinit std::atomic<WindowChrome> current{WindowChrome::classic};

}  // namespace

WindowChrome chromeFor(OsVersion version) {
  return version >= kFirstModern ? WindowChrome::modern : WindowChrome::classic;
}

void initialise(const SystemInfo& system) {
  current.store(chromeFor(system.osVersion()), std::memory_order_relaxed);
}

WindowChrome currentWindowChrome() { return current.load(std::memory_order_relaxed); }

ScopedWindowChrome::ScopedWindowChrome(WindowChrome chrome)
    : previous_(current.exchange(chrome, std::memory_order_relaxed)) {}

ScopedWindowChrome::~ScopedWindowChrome() { current.store(previous_, std::memory_order_relaxed); }

}  // namespace varnelo::Metrics
