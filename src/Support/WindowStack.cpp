#include "Support/WindowStack.h"

#include "Support/WindowListFields.h"

namespace varnelo::WindowStack {
namespace {

constexpr double kOcclusionMargin = 2.0;
constexpr double kMinimumAlpha = 0.1;
constexpr double kMinimumPreviewArea = 10000;

bool coversCandidate(const WindowListEntry& entry, const Rect& shrunk,
                     const std::set<std::int64_t>& excluding, ProcessId ignoringOwnerPID) {
  if (WindowListFields::integer(entry, WindowKey::layer) != 0) return false;
  auto number = WindowListFields::integer(entry, WindowKey::number);
  if (!number || excluding.contains(*number)) return false;
  if (WindowListFields::integer(entry, WindowKey::ownerPID) == ignoringOwnerPID) return false;
  auto alpha = WindowListFields::number(entry, WindowKey::alpha);
  if (alpha && *alpha < kMinimumAlpha) return false;
  auto bounds = WindowListFields::bounds(entry);
  return bounds && bounds->intersects(shrunk);
}

}  // namespace

std::vector<WindowListEntry> onScreenList(WindowServer& server) {
  return server
      .copyWindowInfo(WindowListOption::onScreenOnly | WindowListOption::excludeDesktopElements,
                      kNullWindowNumber)
      .value_or(std::vector<WindowListEntry>{});
}

std::vector<WindowNumber> frontToBack(WindowServer& server, const std::set<WindowNumber>& among) {
  std::vector<WindowNumber> ordered;
  for (const auto& entry : onScreenList(server)) {
    auto number = WindowListFields::windowNumber(entry);
    if (number && among.contains(*number)) ordered.push_back(*number);
  }
  return ordered;
}

bool isOccluded(WindowServer& server, WindowNumber windowID, const Rect& axRect,
                const std::set<std::int64_t>& excluding, ProcessId ignoringOwnerPID) {
  auto inFront = server.copyWindowInfo(
      WindowListOption::onScreenAboveWindow | WindowListOption::excludeDesktopElements, windowID);
  if (!inFront) return false;
  const Rect shrunk = axRect.insetBy(kOcclusionMargin);
  if (shrunk.isEmpty()) return false;
  for (const auto& entry : *inFront) {
    if (coversCandidate(entry, shrunk, excluding, ignoringOwnerPID)) return true;
  }
  return false;
}

bool isOccluded(const std::vector<WindowListEntry>& onScreen, WindowNumber windowID,
                const Rect& axRect, const std::set<std::int64_t>& excluding,
                ProcessId ignoringOwnerPID) {
  const Rect shrunk = axRect.insetBy(kOcclusionMargin);
  if (shrunk.isEmpty()) return false;
  for (const auto& entry : onScreen) {
    if (WindowListFields::windowNumber(entry) == windowID) return false;
    if (coversCandidate(entry, shrunk, excluding, ignoringOwnerPID)) return true;
  }
  return false;
}

bool quickLookIsActive(WindowServer& server, Mouse& mouse) {
  if (mouse.isLeftButtonDown()) return false;
  for (const auto& entry : onScreenList(server)) {
    if (WindowListFields::text(entry, WindowKey::ownerName) != "Finder") continue;
    auto layer = WindowListFields::integer(entry, WindowKey::layer);
    if (!layer || *layer < 1) continue;
    auto bounds = WindowListFields::bounds(entry);
    if (!bounds || bounds->width * bounds->height >= kMinimumPreviewArea) return true;
  }
  return false;
}

}  // namespace varnelo::WindowStack
