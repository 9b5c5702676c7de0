#include "Diagnostics/HealthMonitor.h"

#include <algorithm>
#include <iterator>
#include <string_view>
#include <utility>

#include "Support/Log.h"

namespace varnelo {
namespace {

using Dependency = HealthMonitor::Dependency;

struct Description {
  const char* rawValue = nullptr;
  L10n::Localized label;
  const char* suspectedCause = nullptr;
};

// In the order of HealthMonitor::allCases.
constexpr Description kDescriptions[] = {
    {"AX 監視",
     {"AX 監視", "AX Monitoring", "AX 监视"},
     "AXObserver が機能していない（許可の失効、または AX 実装の変更）"},
    {"Finder スクリプティング",
     {"Finder スクリプティング", "Finder Scripting", "访达脚本"},
     "Finder の scripting 辞書が変わった可能性"},
    {"ウィンドウ同定",
     {"ウィンドウ同定", "Window Identification", "窗口识别"},
     "AX と CGWindowID の対応付けが崩れた可能性"},
    {"私有API",
     {"私有API", "Private API", "私有 API"},
     "_AXUIElementGetWindow が削除／変更された可能性（代替経路で継続）"},
    {"パス移動",
     {"パス移動", "Path Navigation", "路径导航"},
     "set target コマンドの仕様変更の可能性"},
};
static_assert(std::size(kDescriptions) == HealthMonitor::allCases.size());

const Description& describe(Dependency dependency) {
  return kDescriptions[static_cast<std::size_t>(dependency)];
}

std::string versionText(const OsVersion& version) {
  return std::to_string(version.major) + "." + std::to_string(version.minor) + "." +
         std::to_string(version.patch);
}

constexpr const char* kCategory = "health";

}  // namespace

const char* rawValue(Dependency dependency) { return describe(dependency).rawValue; }

std::string_view label(Dependency dependency, L10n::Lang language) {
  return describe(dependency).label.text(language);
}

const char* suspectedCause(Dependency dependency) { return describe(dependency).suspectedCause; }

HealthMonitor::HealthMonitor(MainQueue& mainQueue, const SystemInfo& system, UserDefaults& defaults)
    : mainQueue_(mainQueue), osVersion_(versionText(system.osVersion())) {
  auto stored = defaults.text(kLastSeenOSVersionKey);
  if (stored && *stored != osVersion_) {
    osChangedSinceLastRun_ = true;
    Log::emit(kCategory, "⚠️ macOS が " + *stored + " → " + osVersion_ +
                             " に更新されています。以後の失敗はこれが原因の可能性があります");
  }
  defaults.setText(kLastSeenOSVersionKey, osVersion_);
}

void HealthMonitor::record(Dependency dependency, bool success, std::optional<std::string> error) {
  announce(dependency, update(dependency, success, std::move(error)));
}

HealthMonitor::Transition HealthMonitor::update(Dependency dependency, bool success,
                                                std::optional<std::string> error) {
  const WallTime now = mainQueue_.wallNow();
  std::lock_guard lock(lock_);
  Stat& stat = stats_[dependency];
  const std::int64_t previous = stat.consecutiveFailures;
  ++stat.attempts;
  if (success) {
    ++stat.successes;
    stat.consecutiveFailures = 0;
    return previous >= degradeThreshold ? Transition::recovered : Transition::none;
  }
  stat.consecutiveFailures = previous + 1;
  stat.lastError = std::move(error);
  stat.lastFailureAt = now;
  return stat.consecutiveFailures == degradeThreshold ? Transition::degraded : Transition::none;
}

// Outside the lock: logging and posting may take their own locks.
void HealthMonitor::announce(Dependency dependency, Transition transition) {
  if (transition == Transition::none) return;
  if (transition == Transition::recovered) {
    Log::emit(kCategory, std::string("🟢 復旧: ") + rawValue(dependency));
  } else {
    Log::emit(kCategory, std::string("🔴 劣化検知: ") + rawValue(dependency) + " が " +
                             std::to_string(degradeThreshold) + " 回連続失敗。" +
                             suspectedCause(dependency) +
                             (osChangedSinceLastRun_ ? "（直前に macOS が更新されています）" : ""));
  }
  mainQueue_.post([weak = weak_from_this()] {
    auto self = weak.lock();
    if (self && self->onHealthChanged) self->onHealthChanged();
  });
}

std::vector<Dependency> HealthMonitor::degraded() const {
  std::vector<Dependency> result;
  {
    std::lock_guard lock(lock_);
    for (const auto& [dependency, stat] : stats_) {
      if (stat.consecutiveFailures >= degradeThreshold) result.push_back(dependency);
    }
  }
  std::sort(result.begin(), result.end(), [](Dependency a, Dependency b) {
    return std::string_view(rawValue(a)) < std::string_view(rawValue(b));
  });
  return result;
}

std::map<Dependency, HealthMonitor::Stat> HealthMonitor::stats() const {
  std::lock_guard lock(lock_);
  return stats_;
}

}  // namespace varnelo
