#include "Routing/WindowRouter.h"

#include <utility>

#include "Support/Log.h"

namespace varnelo {
namespace {

using Dependency = HealthMonitor::Dependency;

constexpr const char* kCategory = "router";

}  // namespace

WindowRouter::WindowRouter(FinderScripting& scripting, PaneManager& panes, HealthMonitor& health)
    : scripting_(scripting), panes_(panes), health_(health) {}

void WindowRouter::handleNewWindow(const FinderWindow& window, Completion completion) {
  if (!panes_.isPaired() || !window.cgWindowID) return completion(std::nullopt);
  const WindowNumber number = *window.cgWindowID;
  if (panes_.side(number)) return completion(std::nullopt);
  if (selfOpenedIDs.erase(number)) {
    Log::emit(kCategory, "自分で開いた窓なので吸収しない (" + std::to_string(number) + ")");
    return completion(std::nullopt);
  }
  const std::optional<WindowNumber> destination = panes_.snapshot(false).destination();
  if (!destination) return completion(std::nullopt);
  // Finder's id of a window is its window-server number.
  scripting_.captureForRouting(
      number, [weak = weak_from_this(), number, destination = *destination,
               completion = std::move(completion)](std::optional<RoutingCapture> capture) {
        auto self = weak.lock();
        if (!self) return completion(std::nullopt);
        self->captured(number, destination, std::move(capture), std::move(completion));
      });
}

void WindowRouter::captured(WindowNumber number, WindowNumber destination,
                            std::optional<RoutingCapture> capture, Completion completion) {
  const std::string window = std::to_string(number);
  if (!capture) {
    Log::emit(kCategory, "吸収中止: 窓 " + window + " の情報を取得できず");
    health_.record(Dependency::finderScript, false, "captureForRouting が失敗 windowID=" + window);
    return completion(std::nullopt);
  }
  if (!capture->path) {
    Log::emit(kCategory, "吸収中止: 窓 " + window + " はパスを持たない特殊窓 → そのまま残す");
    return completion(std::nullopt);
  }
  const std::string path = *capture->path;
  Log::emit(kCategory, "吸収: " + path + " → ペイン " + std::to_string(destination) + "（選択 " +
                           std::to_string(capture->selection.size()) + " 件）");
  scripting_.reveal(destination, path, std::move(capture->selection),
                    [weak = weak_from_this(), number, destination, path,
                     completion = std::move(completion)](bool succeeded) {
                      auto self = weak.lock();
                      if (!self) return completion(std::nullopt);
                      self->revealed(number, destination, path, succeeded, std::move(completion));
                    });
}

void WindowRouter::revealed(WindowNumber number, WindowNumber destination, const std::string& path,
                            bool succeeded, Completion completion) {
  health_.record(Dependency::navigation, succeeded, "吸収の reveal が拒否された folder=" + path);
  if (!succeeded) {
    Log::emit(kCategory, "吸収失敗: ペイン " + std::to_string(destination) +
                             " への反映が拒否された → 新窓は残す");
    return completion(std::nullopt);
  }
  scripting_.closeWindow(number, [weak = weak_from_this(), number, destination,
                                  completion = std::move(completion)](bool succeeded) {
    auto self = weak.lock();
    if (!self) return completion(std::nullopt);
    self->closed(number, destination, succeeded, std::move(completion));
  });
}

void WindowRouter::closed(WindowNumber number, WindowNumber destination, bool succeeded,
                          Completion completion) {
  // Only a close Finder confirmed may be logged as one: a failed one leaves the window open.
  Log::emit(kCategory, "余剰ウィンドウ " + std::to_string(number) +
                           (succeeded ? " を閉じました" : " を閉じられませんでした"));
  // The pane already shows the folder, so the run has succeeded whatever Finder answers.
  scripting_.activateFinder(
      [destination, completion = std::move(completion)](bool) { completion(destination); });
}

}  // namespace varnelo
