#include "Diagnostics/HealthMonitor.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
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

// At or past the threshold, in the order of their Japanese labels.
std::vector<Dependency> degradedIn(const std::map<Dependency, HealthMonitor::Stat>& stats) {
  std::vector<Dependency> result;
  for (const auto& [dependency, stat] : stats) {
    if (stat.consecutiveFailures >= HealthMonitor::degradeThreshold) result.push_back(dependency);
  }
  std::sort(result.begin(), result.end(), [](Dependency a, Dependency b) {
    return std::string_view(rawValue(a)) < std::string_view(rawValue(b));
  });
  return result;
}

// "2026-12-04T05:36:11Z": whole seconds, truncated, in UTC.
std::string iso8601(WallTime time) {
  namespace chrono = std::chrono;
  const auto secs = chrono::floor<chrono::seconds>(time);
  const auto day = chrono::floor<chrono::days>(secs);
  const chrono::year_month_day date{day};
  const chrono::hh_mm_ss clock{secs - day};
  char text[40];
  std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02dZ", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                static_cast<int>(clock.hours().count()), static_cast<int>(clock.minutes().count()),
                static_cast<int>(clock.seconds().count()));
  return text;
}

// "  🔴 ウィンドウ同定: 2/7 成功 (28%) 連続失敗 5", and the last error's line when there is one.
std::string statLines(Dependency dependency, const HealthMonitor::Stat& stat) {
  const char* mark = stat.consecutiveFailures >= HealthMonitor::degradeThreshold ? "🔴"
                     : stat.consecutiveFailures > 0                              ? "🟡"
                                                                                 : "🟢";
  const auto rate = stat.attempts < 1
                        ? std::int64_t{0}
                        : static_cast<std::int64_t>(static_cast<double>(stat.successes) * 100.0 /
                                                    static_cast<double>(stat.attempts));
  std::string text = std::string("  ") + mark + " " + rawValue(dependency) + ": " +
                     std::to_string(stat.successes) + "/" + std::to_string(stat.attempts) +
                     " 成功 (" + std::to_string(rate) + "%)";
  if (stat.consecutiveFailures > 0) {
    text += " 連続失敗 " + std::to_string(stat.consecutiveFailures);
  }
  if (stat.lastError) text += "\n      最後のエラー: " + *stat.lastError;
  return text;
}

}  // namespace

const char* rawValue(Dependency dependency) { return describe(dependency).rawValue; }

std::string_view label(Dependency dependency, L10n::Lang language) {
  return describe(dependency).label.text(language);
}

const char* suspectedCause(Dependency dependency) { return describe(dependency).suspectedCause; }

HealthMonitor::HealthMonitor(MainQueue& mainQueue, const SystemInfo& system, UserDefaults& defaults)
    : mainQueue_(mainQueue),
      osVersion_(versionText(system.osVersion())),
      appVersion_(system.shortVersion().value_or("?")) {
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

std::vector<Dependency> HealthMonitor::degraded() const { return degradedIn(stats()); }

std::map<Dependency, HealthMonitor::Stat> HealthMonitor::stats() const {
  std::lock_guard lock(lock_);
  return stats_;
}

// One snapshot of the counts serves every section, so the suspected causes agree with the
// marks even while other threads report.
std::string HealthMonitor::diagnosticReport(const std::vector<ExtraLine>& extra,
                                            AccessibilityTrust& trust) const {
  const auto snapshot = stats();
  std::string text =
      "Varnelo 診断情報\n生成: " + iso8601(mainQueue_.wallNow()) + "\nmacOS: " + osVersion_ +
      (osChangedSinceLastRun_ ? "  ← 前回起動時から更新されています" : "") +
      "\nアプリ: " + appVersion_ +
      "\nアクセシビリティ許可: " + (trust.isProcessTrusted(TrustPrompt::no) ? "あり" : "なし") +
      "\n\n--- 依存の健全性 ---";
  for (Dependency dependency : allCases) {
    const auto found = snapshot.find(dependency);
    text += "\n";
    text += found == snapshot.end() ? std::string("  ⚪️ ") + rawValue(dependency) +
                                          ": 未実行（この機能をまだ使っていない）"
                                    : statLines(dependency, found->second);
  }
  if (!extra.empty()) text += "\n\n--- 補足 ---";
  for (const auto& [label, value] : extra) text += "\n  " + label + ": " + value;
  const auto degradedNow = degradedIn(snapshot);
  if (!degradedNow.empty()) text += "\n\n--- 疑わしい原因 ---";
  for (Dependency dependency : degradedNow) {
    text += std::string("\n  ") + rawValue(dependency) + ": " + suspectedCause(dependency);
  }
  return text;
}

}  // namespace varnelo
