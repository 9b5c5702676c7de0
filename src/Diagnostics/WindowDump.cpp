#include "Diagnostics/WindowDump.h"

#include <cmath>
#include <cstdint>
#include <utility>

#include "Support/Log.h"

namespace varnelo {
namespace {

constexpr const char* kCategory = "probe";

std::string wholeNumber(double value) {
  // 2^63: the first double past the 64-bit range; -2^63 is still inside it.
  const double limit = std::ldexp(1.0, 63);
  if (!std::isfinite(value) || value >= limit || value < -limit) return "?";
  return std::to_string(static_cast<std::int64_t>(value));
}

template <class Number>
std::string orUnknown(const std::optional<Number>& number) {
  return number ? std::to_string(*number) : "?";
}

void logScriptWindow(const WindowInfo& window) {
  Log::emit(kCategory, "  script id=" + std::to_string(window.id) + " name=\"" + window.name +
                           "\" bounds=" + rectText(window.bounds) +
                           " path=" + window.path.value_or("?"));
}

void logTrackedWindow(const FinderWindow& window) {
  Log::emit(kCategory, "  AX cgWindowID=" + orUnknown(window.cgWindowID) + " scriptID=" +
                           orUnknown(window.scriptID) + " title=\"" + window.title.value_or("") +
                           "\" frame=" + (window.frame ? rectText(*window.frame) : "?") +
                           " path=" + window.targetPath.value_or("(パス取得不可)"));
}

void printDump(const std::vector<WindowInfo>& scriptWindows,
               const std::vector<FinderWindow>& tracked) {
  Log::emit(kCategory, "==== 手動ダンプ ====");
  Log::emit(kCategory,
            "AppleScript Finder windows: " + std::to_string(scriptWindows.size()) + " 件");
  for (const auto& window : scriptWindows) logScriptWindow(window);
  Log::emit(kCategory, "AX 追跡ウィンドウ: " + std::to_string(tracked.size()) + " 件");
  for (const auto& window : tracked) logTrackedWindow(window);
  Log::emit(kCategory, "====================");
}

}  // namespace

std::string rectText(const Rect& rect) {
  return "(" + wholeNumber(rect.x) + "," + wholeNumber(rect.y) + " " + wholeNumber(rect.width) +
         "x" + wholeNumber(rect.height) + ")";
}

WindowDump::WindowDump(FinderScripting& scripting) : scripting_(scripting) {}

void WindowDump::dumpNow(const FinderWindows& tracked) {
  std::vector<FinderWindow> asChosen;
  asChosen.reserve(tracked.size());
  for (const auto& window : tracked) asChosen.push_back(*window);
  scripting_.allWindows([weak = weak_from_this(),
                         asChosen = std::move(asChosen)](std::vector<WindowInfo> scriptWindows) {
    if (weak.lock()) printDump(scriptWindows, asChosen);
  });
}

}  // namespace varnelo
