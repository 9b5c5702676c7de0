#include "Routing/RevealCoordinator.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include "Support/Log.h"

namespace varnelo {
namespace {

using Dependency = HealthMonitor::Dependency;

constexpr const char* kCategory = "reveal";
constexpr double kRaisedResync = 0.25;

}  // namespace

RevealCoordinator::RevealCoordinator(FinderScripting& scripting, PaneManager& panes,
                                     HealthMonitor& health)
    : scripting_(scripting), panes_(panes), health_(health) {}

void RevealCoordinator::handle(const std::vector<Url>& urls) {
  if (urls.empty()) return;
  // A URL of another scheme names no file; its text is what the log can show.
  const std::string first = urls.front().filePath().value_or(urls.front().absoluteString);
  std::error_code error;
  const auto status = std::filesystem::status(first, error);
  if (!urls.front().isFileUrl() || !std::filesystem::exists(status)) {
    Log::emit(kCategory, "存在しないパス: " + first);
    return;
  }
  const bool isFolder = std::filesystem::is_directory(status);
  std::string folder = isFolder ? first : std::filesystem::path(first).parent_path().string();
  std::vector<std::string> selection;
  if (!isFolder) {
    for (const auto& url : urls) {
      if (auto path = url.filePath()) selection.push_back(std::move(*path));
    }
  }
  Log::emit(kCategory, "受信: " + first + "（" + (isFolder ? "フォルダ" : "ファイル") + "）");
  if (!panes_.isPaired()) {
    Log::emit(kCategory, "未ペア → 素の Finder に委譲（ペアは作らない）");
    return fallbackToFinder(folder, std::move(selection));
  }
  deliverReveal(folder, std::move(selection));
}

void RevealCoordinator::deliverReveal(const std::string& folder,
                                      std::vector<std::string> selection) {
  const auto destination = panes_.snapshot(false).destination();
  if (!destination) {
    Log::emit(kCategory, "反映先ペインが決まらない → Finder に委譲");
    return fallbackToFinder(folder, std::move(selection));
  }
  // Finder's id of a window is its window-server number.
  scripting_.reveal(*destination, folder, selection,
                    [weak = weak_from_this(), destination = *destination, folder,
                     selection](bool succeeded) mutable {
                      if (auto self = weak.lock()) {
                        self->revealed(destination, folder, std::move(selection), succeeded);
                      }
                    });
}

void RevealCoordinator::revealed(WindowNumber destination, const std::string& folder,
                                 std::vector<std::string> selection, bool succeeded) {
  health_.record(Dependency::navigation, succeeded, "reveal の反映が拒否された folder=" + folder);
  if (!succeeded) {
    Log::emit(kCategory, "反映失敗 → Finder に委譲");
    return fallbackToFinder(folder, std::move(selection));
  }
  Log::emit(kCategory, "ペイン " + std::to_string(destination) + " へ反映しました");
  scripting_.activateFinder([weak = weak_from_this(), destination](bool) {
    if (auto self = weak.lock()) self->activated(destination);
  });
  if (scheduleCorrelation) scheduleCorrelation();
}

void RevealCoordinator::activated(WindowNumber destination) {
  panes_.activeID = destination;
  panes_.raiseWithCounterpart(destination, windows ? windows() : FinderWindows{});
  if (scheduleResync) scheduleResync(kRaisedResync);
}

void RevealCoordinator::fallbackToFinder(const std::string& folder,
                                         std::vector<std::string> selection) {
  scripting_.revealInFinder(
      folder, std::move(selection), [weak = weak_from_this(), folder](bool succeeded) {
        if (auto self = weak.lock()) {
          self->health_.record(Dependency::navigation, succeeded,
                               "Finder への委譲 reveal が失敗 folder=" + folder);
        }
      });
}

}  // namespace varnelo
