#include "Sim/Interface/SimStatusBar.h"

namespace varnelo::sim {

class SimStatusBar::SimStatusItem final : public StatusItem {
 public:
  explicit SimStatusItem(SimStatusBar& bar) : bar_(bar) {}
  ~SimStatusItem() override {
    if (bar_.item_ == this) bar_.item_ = nullptr;
  }

  void setImage(const std::string& symbol, const std::string& description) override {
    symbol_ = symbol;
    description_ = description;
  }
  void setMenu(Menu menu) override { menu_ = std::move(menu); }

  SimStatusBar& bar_;
  std::string symbol_;
  std::string description_;
  Menu menu_;
};

std::unique_ptr<StatusItem> SimStatusBar::createItem() {
  auto item = std::make_unique<SimStatusItem>(*this);
  item_ = item.get();
  return item;
}

std::string SimStatusBar::imageSymbol() const { return item_ ? item_->symbol_ : ""; }

std::string SimStatusBar::accessibilityDescription() const {
  return item_ ? item_->description_ : "";
}

Menu SimStatusBar::menu() const { return item_ ? item_->menu_ : Menu{}; }

std::optional<Menu> SimStatusBar::open() {
  if (!item_) return std::nullopt;
  open_ = true;
  if (item_->onMenuWillOpen) item_->onMenuWillOpen();
  return item_ ? std::optional(item_->menu_) : std::nullopt;
}

bool SimStatusBar::choose(const std::vector<std::string>& titles) {
  if (!item_ || titles.empty()) return false;
  const Menu* level = &item_->menu_;
  const MenuItem* found = nullptr;
  for (const auto& title : titles) {
    if (!level) return false;
    found = nullptr;
    for (const auto& item : *level) {
      if (!item.isSeparator() && item.title == title) found = &item;
    }
    if (!found || !found->enabled) return false;
    level = found->submenu.empty() ? nullptr : &found->submenu;
  }
  if (!found->submenu.empty() || !item_->onChoose) return false;
  // The callback may replace the menu; keep the identifier.
  const std::string identifier = found->identifier;
  open_ = false;
  item_->onChoose(identifier);
  return true;
}

namespace {

const MenuItem* findIdentifier(const Menu& menu, const std::string& identifier) {
  for (const auto& item : menu) {
    if (!item.isSeparator() && item.identifier == identifier) return &item;
    if (const MenuItem* found = findIdentifier(item.submenu, identifier)) return found;
  }
  return nullptr;
}

}  // namespace

bool SimStatusBar::chooseIdentifier(const std::string& identifier) {
  if (!item_ || identifier.empty()) return false;
  const MenuItem* found = findIdentifier(item_->menu_, identifier);
  if (!found || !found->enabled || !found->submenu.empty() || !item_->onChoose) return false;
  open_ = false;
  item_->onChoose(identifier);
  return true;
}

}  // namespace varnelo::sim
