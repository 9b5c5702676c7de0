#include "Panes/PaneManager.h"

#include <cmath>
#include <set>
#include <string>

#include "Panes/Geometry.h"
#include "Panes/PaneLayout.h"
#include "Platform/AXNames.h"
#include "Support/Log.h"
#include "Support/WindowStack.h"

namespace varnelo {
namespace {

constexpr double kExpandedTolerance = 4.0;
constexpr double kShrunkWidthShare = 0.72;
constexpr double kShrunkHeightShare = 0.8;

std::vector<Rect> knownFrames(std::initializer_list<const FinderWindow*> windows) {
  std::vector<Rect> frames;
  for (const auto* window : windows) {
    if (window && window->frame) frames.push_back(*window->frame);
  }
  return frames;
}

bool isExpanded(const std::optional<Rect>& frame, const Rect& visible) {
  return frame && frame->isWithin(kExpandedTolerance, visible);
}

Rect centredShare(const Rect& visible) {
  double width = std::round(visible.width * kShrunkWidthShare);
  double height = std::round(visible.height * kShrunkHeightShare);
  return {visible.x + (visible.width - width) * 0.5, visible.y + (visible.height - height) * 0.5,
          width, height};
}

void logPane(const std::string& message) { Log::emit("pane", message); }

}  // namespace

double PaneManager::reservedBarHeightFor(Metrics::WindowChrome chrome) {
  return chrome == Metrics::WindowChrome::modern ? 30 : 19;
}

PaneManager::PaneManager(Accessibility& ax, WindowServer& windowServer, Screens& screens)
    : ax_(ax),
      windowServer_(windowServer),
      screens_(screens),
      reservedBarHeight_(reservedBarHeightFor(Metrics::currentWindowChrome())) {}

void PaneManager::setFrame(const Rect& frame) {
  frame_ = frame;
  frameBeforeExpand_.reset();
}

std::optional<PaneSide> PaneManager::side(WindowNumber id) const {
  if (id == leftID_) return PaneSide::left;
  if (id == rightID_) return PaneSide::right;
  return std::nullopt;
}

std::optional<WindowNumber> PaneManager::counterpart(WindowNumber id) const {
  return snapshot(true).counterpart(id);
}

PaneSnapshot PaneManager::snapshot(bool sidebarVisible) const {
  std::optional<Rect> seam;
  if (isPaired() && frame_) seam = PaneLayout::seam(*frame_);
  return {leftID_, rightID_, activeID, seam, sidebarVisible};
}

std::optional<Screen> PaneManager::screenFor(const std::optional<Rect>& axFrame) {
  return PaneLayout::screenFor(screens_.screens(), screens_.mainScreen(), axFrame);
}

Rect PaneManager::visibleBounds(const std::optional<Rect>& axFrame) {
  return PaneLayout::visibleBounds(screens_.screens(), screens_.mainScreen(), axFrame);
}

Rect PaneManager::enclosingOnScreen(const std::vector<Rect>& frames) {
  auto enclosing = PaneLayout::enclosing(frames);
  if (!enclosing) return visibleBounds(std::nullopt);
  return PaneLayout::clamp(*enclosing, visibleBounds(enclosing));
}

bool PaneManager::pair(const FinderWindows& windows) {
  std::set<WindowNumber> candidates;
  for (const auto& window : windows) {
    if (window->isBrowserWindow && window->cgWindowID) candidates.insert(*window->cgWindowID);
  }
  if (candidates.size() < 2) {
    logPane("ペア化不可: 対象ウィンドウが " + std::to_string(candidates.size()) + " 枚");
    return false;
  }
  auto ordered = WindowStack::frontToBack(windowServer_, candidates);
  if (ordered.size() < 2) {
    logPane("ペア化不可: 画面上に 2 枚見つからない");
    return false;
  }
  leftID_ = ordered[0];
  rightID_ = ordered[1];
  frameBeforeExpand_.reset();

  Rect base = enclosingOnScreen(
      knownFrames({findWindow(windows, ordered[0]), findWindow(windows, ordered[1])}));
  base.height += reservedBarHeight_;
  frame_ = PaneLayout::clamp(base, visibleBounds(base));

  logPane("ペア化: 左=" + std::to_string(*leftID_) + " 右=" + std::to_string(*rightID_) +
          " 外枠=" + Geometry::shortRect(frame_));
  tile(windows, true);
  if (onChange) onChange();
  return true;
}

void PaneManager::tile(const FinderWindows& windows, bool log) {
  if (!isPaired()) return;
  const FinderWindow* left = findWindow(windows, *leftID_);
  const FinderWindow* right = findWindow(windows, *rightID_);
  if (!left || !right) return;
  if (!frame_) frame_ = enclosingOnScreen(knownFrames({left, right}));

  auto panes = PaneLayout::split(*frame_, reservedBarHeight_);
  // An outer frame squeezed below the seam's width leaves nothing sensible to write.
  bool wrote = false;
  for (auto [window, rect] : {std::pair{left, panes.left}, std::pair{right, panes.right}}) {
    if (rect.isEmpty()) continue;
    place(window->axElement, rect);
    wrote = true;
  }
  if (log && wrote) {
    logPane("タイリング: 左=" + Geometry::shortRect(panes.left) +
            " 右=" + Geometry::shortRect(panes.right));
  }
}

void PaneManager::reframe(WindowNumber movedID, const FinderWindows& windows) {
  auto movedSide = side(movedID);
  if (!isPaired() || !movedSide) return;
  const FinderWindow* moved = findWindow(windows, movedID);
  if (!moved || !moved->frame) return;

  const Rect& r = *moved->frame;
  double w = std::max(r.width, PaneLayout::kMinPaneWidth);
  double x = *movedSide == PaneSide::left ? r.x : r.x - w - PaneLayout::kSeamWidth;
  Rect outer{x, r.y, 2 * w + PaneLayout::kSeamWidth,
             std::max(r.height, PaneLayout::kMinHeight) + reservedBarHeight_};
  frame_ = PaneLayout::clamp(outer, visibleBounds(outer));
  frameBeforeExpand_.reset();

  logPane(std::string("再整列: ") + (*movedSide == PaneSide::left ? "左" : "右") +
          "ペインの移動に追従 外枠=" + Geometry::shortRect(frame_));
  tile(windows, true);
}

void PaneManager::toggleExpandToScreen(const FinderWindows& windows) {
  if (!isPaired()) return;
  Rect visible = visibleBounds(frame_);
  if (isExpanded(frame_, visible)) {
    Rect target = frameBeforeExpand_ ? *frameBeforeExpand_ : centredShare(visible);
    frameBeforeExpand_.reset();
    frame_ = PaneLayout::clamp(target, visibleBounds(target));
    logPane("外枠を縮める: " + Geometry::shortRect(frame_));
  } else {
    frameBeforeExpand_ = frame_;
    frame_ = visible;
    logPane("外枠を画面全体へ: " + Geometry::shortRect(frame_));
  }
  tile(windows, true);
  if (onChange) onChange();
}

void PaneManager::raiseWithCounterpart(WindowNumber pane, const FinderWindows& windows) {
  if (!isPaired()) return;
  for (auto id : {counterpart(pane), std::optional<WindowNumber>(pane)}) {
    const FinderWindow* window = id ? findWindow(windows, *id) : nullptr;
    if (window) ax_.performAction(window->axElement, AXName::raise);
  }
}

void PaneManager::handleWindowGone(WindowNumber id) {
  if (!side(id)) return;
  logPane("ペインのウィンドウが閉じられた (" + std::to_string(id) + ") → ペア解除");
  clear();
  if (onChange) onChange();
}

void PaneManager::unpair() {
  if (!isPaired()) return;
  logPane("ペア解除");
  clear();
  if (onChange) onChange();
}

void PaneManager::place(const AXElement& element, const Rect& rect) {
  ax_.setAttributeValue(element, AXName::size, AXValue{rect.size()});
  ax_.setAttributeValue(element, AXName::position, AXValue{rect.origin()});
  ax_.setAttributeValue(element, AXName::size, AXValue{rect.size()});
}

void PaneManager::clear() {
  leftID_.reset();
  rightID_.reset();
  frame_.reset();
  frameBeforeExpand_.reset();
}

}  // namespace varnelo
