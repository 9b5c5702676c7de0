#include "Sim/WindowServer/SimPanels.h"

#include <algorithm>
#include <utility>

namespace varnelo::sim {

class SimPanels::SimPanel final : public Panel {
 public:
  SimPanel(SimPanels& owner, WindowNumber number, PanelStyle style, PanelContent content)
      : owner_(owner), number_(number), style_(style), content_(std::move(content)) {}
  ~SimPanel() override {
    owner_.server_.destroy(number_);
    owner_.forget(number_);
  }

  WindowNumber windowNumber() const override { return number_; }

  void setFrame(const Rect& frame) override {
    Rect topLeft = frame;
    topLeft.y = primaryHeight() - (frame.y + frame.height);
    owner_.server_.setFrame(number_, topLeft);
  }

  Rect frame() const override {
    auto window = owner_.server_.window(number_);
    if (!window) return {};
    Rect bottomLeft = window->frame;
    bottomLeft.y = primaryHeight() - (window->frame.y + window->frame.height);
    return bottomLeft;
  }

  void orderFront() override { owner_.server_.setOrderedOut(number_, false); }
  void orderOut() override { owner_.server_.setOrderedOut(number_, true); }

  bool isVisible() const override {
    auto window = owner_.server_.window(number_);
    return window && window->onScreen();
  }

  void setAcceptsKey(bool accepts) override {
    style_.acceptsKey = accepts;
    if (!accepts && owner_.key_ == number_) owner_.resignKey();
  }
  void makeKey() override { owner_.makeKey(number_); }

  void setContent(PanelContent content) override { content_ = std::move(content); }
  const PanelContent& content() const override { return content_; }

  Size fittingSize() const override {
    const auto* tooltip = std::get_if<TooltipContent>(&content_);
    if (!tooltip) return style_.contentSize;
    double width = 16;
    for (unsigned char byte : tooltip->text) {
      if (byte < 0x80)
        width += 6.5;
      else if ((byte & 0xC0) != 0x80)
        width += 12;  // the lead byte of a wide character
    }
    return {width, 22};
  }

  const PanelStyle& style() const { return style_; }

 private:
  double primaryHeight() const {
    auto screens = owner_.server_.screens();
    return screens.empty() ? 0 : screens.front().frame.height;
  }

  SimPanels& owner_;
  WindowNumber number_;
  PanelStyle style_;
  PanelContent content_;
};

SimPanels::SimPanels(SimWindowServer& server, MainQueue& queue, ProcessId ownerPID)
    : server_(server), queue_(queue), ownerPID_(ownerPID) {}

SimPanels::~SimPanels() = default;

std::unique_ptr<Panel> SimPanels::create(const PanelStyle& style, PanelContent content) {
  SimWindow window;
  window.ownerPID = ownerPID_;
  window.ownerName = kVarneloProcessName;
  window.layer = kFloatingLayer;
  window.frame = Rect::from({0, 0}, style.contentSize);
  window.orderedOut = true;
  WindowNumber number = server_.create(std::move(window));
  auto panel = std::make_unique<SimPanel>(*this, number, style, std::move(content));
  panels_.push_back(panel.get());
  return panel;
}

std::vector<const Panel*> SimPanels::panels() const { return {panels_.begin(), panels_.end()}; }

const Panel* SimPanels::panel(WindowNumber number) const { return find(number); }

std::optional<PanelStyle> SimPanels::style(WindowNumber number) const {
  if (SimPanel* panel = find(number)) return panel->style();
  return std::nullopt;
}

bool SimPanels::makeKey(WindowNumber number) {
  SimPanel* panel = find(number);
  if (!panel || !panel->style().acceptsKey) return false;
  if (key_ != number) resignKey();
  key_ = number;
  return true;
}

void SimPanels::resignKey() {
  auto resigned = std::exchange(key_, std::nullopt);
  if (!resigned) return;
  queue_.post([this, number = *resigned] {
    SimPanel* panel = find(number);
    if (panel && panel->onResignKey) panel->onResignKey();
  });
}

bool SimPanels::pressEscape() {
  if (!key_) return false;
  queue_.post([this, number = *key_] {
    SimPanel* panel = find(number);
    if (panel && panel->onCancel) panel->onCancel();
  });
  return true;
}

void SimPanels::forget(WindowNumber number) {
  std::erase_if(panels_, [&](SimPanel* panel) { return panel->windowNumber() == number; });
  if (key_ == number) key_.reset();
}

SimPanels::SimPanel* SimPanels::find(WindowNumber number) const {
  auto found = std::find_if(panels_.begin(), panels_.end(),
                            [&](SimPanel* panel) { return panel->windowNumber() == number; });
  return found == panels_.end() ? nullptr : *found;
}

}  // namespace varnelo::sim
