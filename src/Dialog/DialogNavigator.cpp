#include "Dialog/DialogNavigator.h"

#include <fmt/format.h>

#include <filesystem>
#include <string>

#include "AX/AXWin.h"
#include "Platform/AXNames.h"
#include "Support/FolderPath.h"
#include "Support/Log.h"

namespace varnelo::DialogNavigator {
namespace {

constexpr int kSheetSearchDepth = 4;
constexpr int kFieldSearchDepth = 15;
constexpr const char* kGaveUp = "「フォルダへ移動」シートが開けず移動を断念";

// A folder's path as the comparison needs it: decoded, without a trailing "/".
std::string folderPath(const Url& url) {
  return FolderPath::withoutTrailingSlash(url.filePath().value_or(""));
}

const KeyStroke kSlash{VirtualKey::a, 0, "/"};
const KeyStroke kCommandShiftG{VirtualKey::g, KeyFlag::command | KeyFlag::shift, ""};
const KeyStroke kReturn{VirtualKey::returnKey, 0, ""};

struct Navigation {
  Ports ports;
  AXElement dialog;
  std::string path;
  TimePoint startedAt;
  std::function<void()> gaveUp;

  void giveUp() const {
    Log::emit("nav", kGaveUp);
    if (gaveUp) gaveUp();
  }

  double elapsedMs() const {
    return std::chrono::duration<double, std::milli>(ports.mainQueue.now() - startedAt).count();
  }

  bool ownerIsFront() const {
    auto owner = ports.accessibility.processIdentifier(dialog);
    auto front = ports.workspace.frontmostApplication();
    return owner && front && front->processId == *owner;
  }

  // Posts nothing, and ends the navigation, once the owner has lost the front.
  bool press(const KeyStroke& stroke) const {
    if (!ownerIsFront()) {
      giveUp();
      return false;
    }
    ports.keyboard.post(stroke);
    return true;
  }
};

std::optional<AXElement> find(Accessibility& ax, const AXElement& element, int depth) {
  if (depth > kFieldSearchDepth) return std::nullopt;
  auto facts = AXWin::urlChildrenRole(ax, element);
  if (facts.role == "AXComboBox" || facts.role == "AXTextField") return element;
  for (const auto& child : facts.children) {
    if (auto found = find(ax, child, depth + 1)) return found;
  }
  return std::nullopt;
}

std::optional<AXElement> shallowFindSheet(Accessibility& ax, const AXElement& element, int depth) {
  if (depth > kSheetSearchDepth) return std::nullopt;
  for (const auto& child : AXWin::children(ax, element)) {
    auto role = AXWin::stringAttribute(ax, child, AXName::role);
    if (role == "AXSheet") return child;
    if (role == "AXOutline" || role == "AXBrowser") continue;
    if (auto found = shallowFindSheet(ax, child, depth + 1)) return found;
  }
  return std::nullopt;
}

void fill(const Navigation& navigation, const AXElement& field) {
  navigation.ports.accessibility.setAttributeValue(field, AXName::value, AXValue{navigation.path});
  navigation.ports.mainQueue.postAfter(kReturnDelay, [navigation] { navigation.press(kReturn); });
}

void found(const Navigation& navigation, const AXElement& field, int attempt, bool triedCmdG) {
  if (Log::isDebugEnabled()) {
    Log::emit("nav", fmt::format("シート検出 attempt={} cmdG={} {:.0f}ms", attempt,
                                 triedCmdG ? "true" : "false", navigation.elapsedMs()));
  }
  // The field is the owner's; the Return after it must still reach the owner.
  if (!navigation.ownerIsFront()) {
    navigation.giveUp();
    return;
  }
  fill(navigation, field);
}

void waitForSheet(const Navigation& navigation, int attempt, bool triedCmdG) {
  if (auto field = goToFolderField(navigation.ports.accessibility, navigation.dialog)) {
    found(navigation, *field, attempt, triedCmdG);
    return;
  }
  if (attempt < kPollAttempts) {
    navigation.ports.mainQueue.postAfter(kPollInterval, [navigation, attempt, triedCmdG] {
      waitForSheet(navigation, attempt + 1, triedCmdG);
    });
    return;
  }
  if (triedCmdG) {
    navigation.giveUp();
    return;
  }
  if (Log::isDebugEnabled()) {
    Log::emit("nav",
              fmt::format("/ で開かず ⌘⇧G へフォールバック {:.0f}ms", navigation.elapsedMs()));
  }
  if (!navigation.press(kCommandShiftG)) return;
  navigation.ports.mainQueue.postAfter(kPollInterval,
                                       [navigation] { waitForSheet(navigation, 0, true); });
}

}  // namespace

std::optional<AXElement> goToFolderField(Accessibility& ax, const AXElement& dialog) {
  for (const auto& sheet : AXWin::sheets(ax, dialog)) {
    if (auto field = find(ax, sheet, 0)) return field;
  }
  if (auto sheet = shallowFindSheet(ax, dialog, 0)) return find(ax, *sheet, 0);
  return std::nullopt;
}

bool navigate(const Ports& ports, const AXElement& dialog, const std::optional<Url>& from,
              const Url& to, std::function<void()> gaveUp) {
  const std::string target = folderPath(to);
  if (from && folderPath(*from) == target) return false;
  std::error_code error;
  if (target.empty() || !std::filesystem::is_directory(target, error)) {
    Log::emit("nav", "実在しない/フォルダでないパスのため移動しない: " + target);
    return false;
  }
  Navigation navigation{ports, dialog, target, ports.mainQueue.now(), {}};
  // Nothing was started yet: the caller keeps showing where the dialog is.
  if (!navigation.ownerIsFront()) {
    Log::emit("nav", kGaveUp);
    return false;
  }
  navigation.gaveUp = std::move(gaveUp);
  navigation.press(kSlash);
  if (auto field = goToFolderField(ports.accessibility, dialog)) {
    found(navigation, *field, 0, false);
  } else {
    ports.mainQueue.postAfter(kPollInterval, [navigation] { waitForSheet(navigation, 1, false); });
  }
  return true;
}

}  // namespace varnelo::DialogNavigator
