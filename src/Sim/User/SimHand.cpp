#include "Sim/User/SimHand.h"

#include <algorithm>
#include <utility>

#include "Sim/Accessibility/FrameConstraints.h"
#include "Sim/Applications/DialogLayout.h"

namespace varnelo::sim {
namespace {

namespace Layout = FinderWindowLayout;

bool contains(const Rect& frame, Point point) {
  return point.x >= frame.x && point.x < frame.maxX() && point.y >= frame.y &&
         point.y < frame.maxY();
}

}  // namespace

SimHand::SimHand(SimWindowServer& windowServer, SimMouse& mouse, SimPointer& pointer,
                 SimWorkspace& workspace, SimFinder& finder, SimFileDialogs& dialogs,
                 SimStatusBar& statusBar, ProcessId ownPid)
    : windowServer_(windowServer),
      mouse_(mouse),
      pointer_(pointer),
      workspace_(workspace),
      finder_(finder),
      dialogs_(dialogs),
      statusBar_(statusBar),
      ownPid_(ownPid) {}

void SimHand::press(Point at, HandModifiers modifiers, int clicks) {
  mouse_.moveTo(mousePoint(windowServer_.screens(), at));
  mouse_.press();
  grip_ = Grip::none;
  pressedAt_ = at;
  auto window = windowAt(at);
  if (!window) return;
  if (window->layer == kMainMenuLayer) {
    if (contains(appStatusItemFrame(window->frame), at)) statusBar_.open();
    return;
  }
  if (window->layer == kDockLayer) {
    clickDock(window->frame, at);
    return;
  }
  bringForward(*window);
  if (window->layer != kNormalLayer) return;
  held_ = window->number;
  heldFrame_ = window->frame;
  const Rect& frame = window->frame;
  if (pressDialog(window->number, at, clicks)) return;
  if (auto button = Layout::buttonAt(frame, at)) {
    grip_ = Grip::button;
    button_ = *button;
    return;
  }
  const bool right = at.x >= frame.maxX() - Layout::kEdgeGrab;
  const bool bottom = at.y >= frame.maxY() - Layout::kEdgeGrab;
  if (right || bottom) {
    grip_ = right && bottom ? Grip::corner : (right ? Grip::right : Grip::bottom);
    return;
  }
  if (at.y < frame.y + Layout::kTitleBarHeight) {
    if (clicks >= 2) {
      pointer_.zoom(window->number);  // the system's default for a double click there
      return;
    }
    grip_ = Grip::titleBar;
    return;
  }
  for (const auto& browser : finder_.windows()) {
    if (browser.number == window->number) clickList(browser, at, modifiers, clicks);
  }
}

void SimHand::moveTo(Point at) {
  mouse_.moveTo(mousePoint(windowServer_.screens(), at));
  const Point by{at.x - pressedAt_.x, at.y - pressedAt_.y};
  Rect frame = heldFrame_;
  switch (grip_) {
    case Grip::none:
    case Grip::button:
    case Grip::dialogConfirm:
    case Grip::dialogCancel:
      return;
    case Grip::titleBar: {
      const Point origin = FrameConstraints::keptOnScreen({frame.x + by.x, frame.y + by.y},
                                                          frame.size(), windowServer_.screens());
      frame = Rect::from(origin, frame.size());
      break;
    }
    case Grip::right:
    case Grip::bottom:
    case Grip::corner:
      if (grip_ != Grip::bottom) frame.width = std::max(frame.width + by.x, kLeastSize.width);
      if (grip_ != Grip::right) frame.height = std::max(frame.height + by.y, kLeastSize.height);
      break;
  }
  windowServer_.setFrame(held_, frame);
}

void SimHand::release(Point at) {
  moveTo(at);
  mouse_.release();
  const Grip grip = std::exchange(grip_, Grip::none);
  if (grip == Grip::dialogConfirm || grip == Grip::dialogCancel) {
    for (const auto& dialog : dialogs_.openDialogs()) {
      if (dialog.id != dialog_) continue;
      const auto face = DialogLayout::face(dialog.frame, dialog.root != 0);
      if (grip == Grip::dialogConfirm && contains(face.confirm, at)) dialogs_.confirm(dialog_);
      if (grip == Grip::dialogCancel && contains(face.cancel, at)) dialogs_.close(dialog_);
    }
    return;
  }
  if (grip != Grip::button) return;
  auto window = windowServer_.window(held_);
  if (window && Layout::buttonAt(window->frame, at) == button_) act(button_);
}

std::optional<SimWindow> SimHand::windowAt(Point at) const {
  for (const auto& window : windowServer_.windows()) {
    if (window.onScreen() && window.ownerPID != ownPid_ && window.alpha > 0 &&
        contains(window.frame, at)) {
      return window;
    }
  }
  return std::nullopt;
}

// As a click does: the window comes to the front and its application is activated.
void SimHand::bringForward(const SimWindow& window) {
  if (window.layer == kNormalLayer) windowServer_.raise(window.number);
  auto owner = workspace_.runningApplication(static_cast<int>(window.ownerPID));
  if (owner && owner->bundleIdentifier) workspace_.activate(*owner->bundleIdentifier);
}

std::vector<RunningApplication> SimHand::dockApplications() const {
  std::vector<RunningApplication> shown;
  auto running = workspace_.runningApplications();
  std::sort(running.begin(), running.end(),
            [](const auto& a, const auto& b) { return a.processId < b.processId; });
  for (const auto& application : running) {
    if (application.processId == static_cast<int>(finder_.pid()))
      shown.insert(shown.begin(), application);
  }
  for (const auto& application : running) {
    const auto pid = static_cast<ProcessId>(application.processId);
    if (pid == ownPid_ || pid == finder_.pid()) continue;
    const auto windows = windowServer_.windowsOf(pid);
    if (std::any_of(windows.begin(), windows.end(),
                    [](const SimWindow& window) { return window.layer == kNormalLayer; })) {
      shown.push_back(application);
    }
  }
  return shown;
}

// As a Dock click does: the application comes to the front with its windows.
void SimHand::clickDock(const Rect& dock, Point at) {
  const auto applications = dockApplications();
  const auto items = dockItemFrames(dock, applications.size());
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (!contains(items[i], at)) continue;
    const auto pid = static_cast<ProcessId>(applications[i].processId);
    auto windows = windowServer_.windowsOf(pid);  // front to back
    const auto normal = [](const SimWindow& window) { return window.layer == kNormalLayer; };
    if (std::none_of(windows.begin(), windows.end(), [&](const SimWindow& window) {
          return normal(window) && window.onScreen();
        })) {
      // All minimised: the Dock brings the front one back.
      auto minimised = std::find_if(windows.begin(), windows.end(), [&](const SimWindow& window) {
        return normal(window) && window.minimised;
      });
      if (minimised != windows.end()) windowServer_.setMinimised(minimised->number, false);
      windows = windowServer_.windowsOf(pid);
    }
    for (auto window = windows.rbegin(); window != windows.rend(); ++window) {
      if (normal(*window) && window->onScreen()) windowServer_.raise(window->number);
    }
    if (applications[i].bundleIdentifier) workspace_.activate(*applications[i].bundleIdentifier);
  }
}

bool SimHand::pressDialog(WindowNumber window, Point at, int clicks) {
  auto open = dialogs_.openDialogs();
  for (auto dialog = open.rbegin(); dialog != open.rend(); ++dialog) {
    if (dialog->window != window || !contains(dialog->frame, at)) continue;
    const auto face = DialogLayout::face(dialog->frame, dialog->root != 0);
    dialog_ = dialog->id;
    if (contains(face.confirm, at)) grip_ = Grip::dialogConfirm;
    if (contains(face.cancel, at)) grip_ = Grip::dialogCancel;
    const auto items = FinderWindowLayout::entries(dialog->folder);
    if (auto row = DialogLayout::rowAt(face.list, items.size(), at); row && clicks >= 2) {
      std::error_code error;
      if (std::filesystem::is_directory(items[*row], error))
        dialogs_.navigate(dialog_, items[*row]);
    }
    return true;
  }
  return false;
}

void SimHand::clickList(const FinderWindow& window, Point at, HandModifiers modifiers, int clicks) {
  if (!window.target.folder) return;
  const auto items = Layout::entries(*window.target.folder);
  const Rect list = Layout::listArea(heldFrame_, window.sidebarWidth);
  auto row = Layout::rowAt(list, items.size(), at);
  if (!row) {
    if (contains(list, at) && !modifiers.shift && !modifiers.command) finder_.select({});
    return;
  }
  const auto& item = items[*row];
  if (clicks >= 2) {
    std::error_code error;
    if (std::filesystem::is_directory(item, error)) {
      finder_.setTarget(window.id, item, ChangeNotice::unreported);
      anchors_.erase(window.id);
    } else {
      finder_.open(item);
    }
    return;
  }
  std::vector<std::filesystem::path> selection = window.selection;
  auto anchor = anchors_.find(window.id);
  if (modifiers.shift && anchor != anchors_.end()) {
    auto from = std::find(items.begin(), items.end(), anchor->second);
    if (from != items.end()) {
      auto first = std::min(from, items.begin() + static_cast<std::ptrdiff_t>(*row));
      auto last = std::max(from, items.begin() + static_cast<std::ptrdiff_t>(*row));
      finder_.select({first, last + 1});
      return;
    }
  }
  if (modifiers.command) {
    auto found = std::find(selection.begin(), selection.end(), item);
    if (found != selection.end()) {
      selection.erase(found);
    } else {
      selection.push_back(item);
    }
  } else {
    selection = {item};
  }
  anchors_.insert_or_assign(window.id, item);
  finder_.select(std::move(selection));
}

void SimHand::act(FinderWindowLayout::TitleButton button) {
  if (button == FinderWindowLayout::TitleButton::zoom) {
    pointer_.zoom(held_);
    return;
  }
  for (const auto& browser : finder_.windows()) {
    if (browser.number != held_) continue;
    if (button == FinderWindowLayout::TitleButton::close) {
      finder_.close(browser.id);
    } else {
      windowServer_.setMinimised(held_, true);
    }
  }
}

}  // namespace varnelo::sim
