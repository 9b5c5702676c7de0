// Which window style the running system draws, decided once at start-up, so overlay
// geometry can pick its constants by it.
// Never fails; currentWindowChrome() answers classic until initialise() runs.
// Any thread: the value is atomic.
#pragma once

#include "Platform/SystemInfo.h"

namespace varnelo {
namespace Metrics {

// classic: before macOS 26; modern: macOS 26 and later.
enum class WindowChrome { classic, modern };

WindowChrome chromeFor(OsVersion version);

// Called once at start-up, before any overlay is laid out.
void initialise(const SystemInfo& system);
WindowChrome currentWindowChrome();

// Sets the chrome for one scope (tests) and puts the previous one back at its end.
class ScopedWindowChrome {
 public:
  explicit ScopedWindowChrome(WindowChrome chrome);
  ~ScopedWindowChrome();
  ScopedWindowChrome(const ScopedWindowChrome&) = delete;
  ScopedWindowChrome& operator=(const ScopedWindowChrome&) = delete;

 private:
  WindowChrome previous_;
};

}  // namespace Metrics
}  // namespace varnelo
