#include "Panes/PaneCommands.h"

#include <utility>

#include "Support/FolderPath.h"
#include "Support/Log.h"

namespace varnelo {
namespace {

using Dependency = HealthMonitor::Dependency;

constexpr const char* kCategory = "strip";
constexpr double kSidebarResync = 0.3;

const FinderWindow* paneWindow(const FinderWindows& windows, std::optional<WindowNumber> id) {
  return id ? findWindow(windows, *id) : nullptr;
}

bool isAddressable(const FinderWindow* window) {
  return window && window->targetPath && window->scriptID;
}

}  // namespace

PaneCommands::PaneCommands(FinderScripting& scripting, PaneManager& panes,
                           SidebarController& sidebar, HealthMonitor& health)
    : scripting_(scripting), panes_(panes), sidebar_(sidebar), health_(health) {}

void PaneCommands::transferSelection(bool toRight, bool move) {
  const FinderWindows current = currentWindows();
  const FinderWindow* destination =
      paneWindow(current, toRight ? panes_.rightID() : panes_.leftID());
  if (!panes_.isPaired() || !destination || !destination->targetPath) {
    Log::emit(kCategory, "転送不可: 反映先ペインのパスが未解決");
    return;
  }
  scripting_.selection([weak = weak_from_this(), folder = *destination->targetPath,
                        move](std::vector<std::string> items) {
    if (auto self = weak.lock()) self->transferItems(std::move(items), folder, move);
  });
}

void PaneCommands::transferItems(std::vector<std::string> items, const std::string& folder,
                                 bool move) {
  if (items.empty()) {
    Log::emit(kCategory, "転送するものがありません（選択なし）");
    return;
  }
  Log::emit(kCategory, std::string(move ? "移動" : "コピー") + ": " + std::to_string(items.size()) +
                           " 件 → " + folder);
  scripting_.transfer(std::move(items), folder, move,
                      [weak = weak_from_this(), folder, move](bool succeeded) {
                        if (auto self = weak.lock()) self->transferred(succeeded, folder, move);
                      });
}

void PaneCommands::transferred(bool succeeded, const std::string& folder, bool move) {
  health_.record(Dependency::navigation, succeeded, "転送に失敗 folder=" + folder);
  if (!succeeded && onTransferFailed) onTransferFailed(move);
  correlate();
}

void PaneCommands::swapPanes() {
  const FinderWindows current = currentWindows();
  const FinderWindow* left = paneWindow(current, panes_.leftID());
  const FinderWindow* right = paneWindow(current, panes_.rightID());
  if (!panes_.isPaired() || !isAddressable(left) || !isAddressable(right)) {
    Log::emit(kCategory, "入れ替え不可: 両ペインのパスが未解決");
    return;
  }
  const std::string leftFolder = *left->targetPath;
  const std::string rightFolder = *right->targetPath;
  Log::emit(kCategory, "入れ替え: 左=" + rightFolder + " 右=" + leftFolder);
  scripting_.setTarget(
      *left->scriptID, rightFolder,
      [weak = weak_from_this(), rightScript = *right->scriptID, leftFolder](bool succeeded) {
        auto self = weak.lock();
        if (!self) return;
        self->health_.record(Dependency::navigation, succeeded,
                             "入替: 左ペインの setTarget が失敗");
        self->scripting_.setTarget(rightScript, leftFolder, [weak](bool succeeded) {
          auto self = weak.lock();
          if (!self) return;
          self->health_.record(Dependency::navigation, succeeded,
                               "入替: 右ペインの setTarget が失敗");
          self->correlate();
        });
      });
}

void PaneCommands::syncPanes() {
  if (!panes_.isPaired()) return;
  const FinderWindows current = currentWindows();
  std::optional<WindowNumber> sourceID = panes_.activeID ? panes_.activeID : panes_.leftID();
  std::optional<WindowNumber> targetID = panes_.counterpart(*sourceID);
  const FinderWindow* source = targetID ? findWindow(current, *sourceID) : nullptr;
  const FinderWindow* target = paneWindow(current, targetID);
  if (!source || !target || !source->targetPath || !target->scriptID) {
    Log::emit(kCategory, "同期不可: アクティブ/相手のパスが未解決");
    return;
  }
  // One side may be a path the user typed (navigate stores it until Finder is read again).
  if (target->targetPath && FolderPath::isSameFolder(*target->targetPath, *source->targetPath))
    return;
  const std::string folder = *source->targetPath;
  Log::emit(kCategory, "同期: 相手ペインを " + folder + " へ");
  scripting_.setTarget(*target->scriptID, folder,
                       [weak = weak_from_this(), folder](bool succeeded) {
                         auto self = weak.lock();
                         if (!self) return;
                         self->health_.record(Dependency::navigation, succeeded,
                                              "同期: setTarget が失敗 path=" + folder);
                         self->correlate();
                       });
}

void PaneCommands::toggleSidebar() {
  sidebar_.toggle();
  applySidebarPreference();
  if (syncOverlay) syncOverlay();
  if (scheduleResync) scheduleResync(kSidebarResync);
}

void PaneCommands::applySidebarPreference() {
  const FinderWindows current = currentWindows();
  std::vector<ScriptID> scriptIDs;
  for (auto id : {panes_.leftID(), panes_.rightID()}) {
    const FinderWindow* window = paneWindow(current, id);
    if (window && window->scriptID) scriptIDs.push_back(*window->scriptID);
  }
  if (scriptIDs.empty()) return;
  if (sidebar_.wantsHidden()) {
    sidebar_.hide(scriptIDs);
  } else {
    sidebar_.restore(scriptIDs);
  }
}

FinderWindows PaneCommands::currentWindows() const { return windows ? windows() : FinderWindows{}; }

void PaneCommands::correlate() {
  if (scheduleCorrelation) scheduleCorrelation();
}

}  // namespace varnelo
