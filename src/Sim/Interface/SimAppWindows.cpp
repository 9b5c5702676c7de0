#include "Sim/Interface/SimAppWindows.h"

#include <algorithm>

namespace varnelo::sim {

class SimAppWindows::SimAppWindow final : public AppWindow {
 public:
  SimAppWindow(SimAppWindows& owner, std::string title, AppWindowContent content)
      : owner_(owner), title_(std::move(title)), content_(std::move(content)) {}
  ~SimAppWindow() override {
    std::erase(owner_.windows_, this);
    if (visible_ && owner_.key_ == title_) owner_.key_.reset();
  }

  void makeKeyAndOrderFront() override {
    visible_ = true;
    const bool wasKey = owner_.key_ == title_;
    owner_.key_ = title_;
    if (!wasKey && onBecomeKey) onBecomeKey();
  }
  void close() override {
    if (!visible_) return;
    if (onWillClose) onWillClose();
    visible_ = false;
    if (owner_.key_ == title_) owner_.key_.reset();
  }
  bool isVisible() const override { return visible_; }

  SimAppWindows& owner_;
  std::string title_;
  AppWindowContent content_;
  bool visible_ = false;
};

std::unique_ptr<AppWindow> SimAppWindows::create(const std::string& title,
                                                 AppWindowContent content) {
  auto window = std::make_unique<SimAppWindow>(*this, title, std::move(content));
  windows_.push_back(window.get());
  ++created_;
  return window;
}

AppWindow* SimAppWindows::visible(const std::string& title) const {
  for (auto* window : windows_) {
    if (window->title_ == title && window->visible_) return window;
  }
  return nullptr;
}

const AppWindowContent* SimAppWindows::content(const std::string& title) const {
  for (auto* window : windows_) {
    if (window->title_ == title && window->visible_) return &window->content_;
  }
  return nullptr;
}

std::vector<std::string> SimAppWindows::visibleTitles() const {
  std::vector<std::string> titles;
  for (auto* window : windows_) {
    if (window->visible_) titles.push_back(window->title_);
  }
  return titles;
}

bool SimAppWindows::focus(const std::string& title) {
  AppWindow* window = visible(title);
  if (!window) return false;
  key_.reset();
  window->makeKeyAndOrderFront();
  return true;
}

}  // namespace varnelo::sim
