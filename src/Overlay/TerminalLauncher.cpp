#include "Overlay/TerminalLauncher.h"

#include <algorithm>

#include "Support/L10n.h"

namespace varnelo::TerminalLauncher {
namespace {

constexpr L10n::Localized kChoose{"選択", "Choose", "选择"};
constexpr L10n::Localized kChooseMessage{"「ターミナルで開く」に使うアプリを選んでください。",
                                         "Choose the app to use for Open in Terminal.",
                                         "请选择用于「在终端中打开」的应用。"};

bool isKnown(std::string_view bundleID) {
  return std::any_of(knownTerminals.begin(), knownTerminals.end(),
                     [&](const KnownTerminal& known) { return known.bundleID == bundleID; });
}

}  // namespace

std::vector<InstalledTerminal> installed(const Workspace& workspace) {
  std::vector<InstalledTerminal> found;
  for (const auto& known : knownTerminals) {
    std::string bundleID(known.bundleID);
    if (auto url = workspace.urlForApplication(bundleID)) {
      found.push_back({bundleID, std::string(known.name), *url});
    }
  }
  return found;
}

std::optional<CustomTerminal> custom(const Workspace& workspace, const std::string& bundleID) {
  if (isKnown(bundleID)) return std::nullopt;
  auto url = workspace.urlForApplication(bundleID);
  if (!url) return std::nullopt;
  return CustomTerminal{workspace.displayName(*url), *url};
}

std::optional<std::string> resolve(const Workspace& workspace,
                                   const std::optional<std::string>& preferred) {
  if (preferred) {
    if (auto url = workspace.urlForApplication(*preferred)) return url;
  }
  auto terminals = installed(workspace);
  if (terminals.empty()) return std::nullopt;
  return terminals.front().url;
}

bool open(Workspace& workspace, std::string_view path,
          const std::optional<std::string>& preferred) {
  if (path.empty()) return false;
  auto application = resolve(workspace, preferred);
  if (!application) return false;
  workspace.openFolder(std::string(path), *application, nullptr);
  return true;
}

ApplicationChoiceRequest choiceRequest() {
  return {kChoose.string(), kChooseMessage.string(), "/Applications"};
}

std::optional<std::string> chooseApplication(ApplicationChooser& chooser,
                                             const Workspace& workspace) {
  auto path = chooser.chooseApplication(choiceRequest());
  if (!path) return std::nullopt;
  return workspace.bundleIdentifierOfApplication(*path);
}

}  // namespace varnelo::TerminalLauncher
