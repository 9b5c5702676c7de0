#include "Panes/SidebarController.h"

#include <algorithm>
#include <charconv>
#include <string>
#include <string_view>
#include <utility>

#include "Support/Log.h"

namespace varnelo {
namespace {

// An optional sign, then digits only, within the signed 64-bit range.
std::optional<ScriptID> parseWindowID(std::string_view key) {
  std::string_view digits = key;
  if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) digits.remove_prefix(1);
  bool allDigits =
      std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
  if (digits.empty() || !allDigits) return std::nullopt;
  if (key.front() == '+') key.remove_prefix(1);
  ScriptID id = 0;
  auto [end, error] = std::from_chars(key.data(), key.data() + key.size(), id);
  if (error != std::errc() || end != key.data() + key.size()) return std::nullopt;
  return id;
}

std::int64_t positiveOrDefault(std::int64_t width) {
  return width > 0 ? width : SidebarController::defaultWidth;
}

}  // namespace

SidebarController::SidebarController(std::shared_ptr<FinderScripting> scripting,
                                     UserDefaults& defaults)
    : scripting_(std::move(scripting)),
      defaults_(defaults),
      wantsHidden_(defaults.boolean(kSidebarWantsHiddenKey).value_or(true)) {}

void SidebarController::toggle() {
  wantsHidden_ = !wantsHidden_;
  defaults_.setBoolean(kSidebarWantsHiddenKey, wantsHidden_);
  Log::emit("sidebar", std::string("サイドバー: ") + (wantsHidden_ ? "非表示" : "表示"));
}

void SidebarController::hide(const std::vector<ScriptID>& windowIDs) {
  for (ScriptID id : windowIDs) {
    if (originalWidths_.contains(id)) {
      scripting_->setSidebarWidth(id, 0, [](bool) {});
      continue;
    }
    scripting_->sidebarWidth(id, [weak = weak_from_this(), id](std::optional<std::int64_t> width) {
      if (auto self = weak.lock()) self->remember(id, width);
    });
  }
}

void SidebarController::remember(ScriptID windowID, std::optional<std::int64_t> width) {
  originalWidths_[windowID] = positiveOrDefault(width.value_or(0));
  persist();
  scripting_->setSidebarWidth(windowID, 0, [](bool) {});
}

void SidebarController::restore(const std::vector<ScriptID>& windowIDs) {
  for (ScriptID id : windowIDs) {
    auto remembered = originalWidths_.find(id);
    std::int64_t width = remembered == originalWidths_.end() ? 0 : remembered->second;
    scripting_->setSidebarWidth(id, positiveOrDefault(width), [](bool) {});
  }
}

void SidebarController::restoreAll() {
  if (originalWidths_.empty()) return;
  Log::emit("sidebar",
            "サイドバー幅を復元します（" + std::to_string(originalWidths_.size()) + " 窓）");
  clearing_ = Clearing::storeEmptyRecord;
  for (const auto& [id, width] : std::exchange(originalWidths_, {})) {
    giveBack(id, positiveOrDefault(width));
  }
}

void SidebarController::recoverFromPreviousRun() {
  auto stored = defaults_.integerDictionary(kCollapsedSidebarWidthsKey);
  if (!stored || stored->empty()) return;
  Log::emit("sidebar", "前回の畳み状態が残っています（" + std::to_string(stored->size()) +
                           " 窓）→ 復元を試みます");
  clearing_ = Clearing::removeRecord;
  for (const auto& [key, width] : *stored) {
    if (auto id = parseWindowID(key)) giveBack(*id, positiveOrDefault(width));
  }
  if (pendingGiveBacks_ == 0 && originalWidths_.empty()) clearRecord();
}

void SidebarController::forget(ScriptID windowID) {
  if (originalWidths_.erase(windowID) > 0) persist();
}

void SidebarController::persist() {
  IntegerDictionary record;
  for (const auto& [id, width] : originalWidths_) record[std::to_string(id)] = width;
  defaults_.setIntegerDictionary(kCollapsedSidebarWidthsKey, record);
}

void SidebarController::giveBack(ScriptID windowID, std::int64_t width) {
  ++pendingGiveBacks_;
  scripting_->setSidebarWidth(windowID, width, [weak = weak_from_this()](bool) {
    if (auto self = weak.lock()) self->givenBack();
  });
}

void SidebarController::givenBack() {
  // A width remembered meanwhile was stored with the map, which replaced the record.
  if (--pendingGiveBacks_ > 0 || !originalWidths_.empty()) return;
  clearRecord();
}

void SidebarController::clearRecord() {
  if (clearing_ == Clearing::removeRecord) {
    defaults_.remove(kCollapsedSidebarWidthsKey);
    return;
  }
  persist();
}

}  // namespace varnelo
