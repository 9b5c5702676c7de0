#include "AX/WindowIdentityResolver.h"

#include <algorithm>

#include "AX/AXWin.h"
#include "Platform/AXNames.h"
#include "Support/Log.h"
#include "Support/WindowListFields.h"
#include "Support/WindowStack.h"

namespace varnelo {
namespace {}  // namespace

const char* rawValue(WindowIdentityResolver::Strategy strategy) {
  switch (strategy) {
    case WindowIdentityResolver::Strategy::privateAPI:
      return "私有API";
    case WindowIdentityResolver::Strategy::boundsMatch:
      return "bounds突合";
    case WindowIdentityResolver::Strategy::failed:
      return "解決不能";
  }
  return "解決不能";
}

WindowIdentityResolver::WindowIdentityResolver(Accessibility& ax, WindowServer& windowServer)
    : ax_(ax), windowServer_(windowServer) {}

std::optional<WindowNumber> WindowIdentityResolver::resolve(const AXElement& element,
                                                            ProcessId finderPID,
                                                            std::optional<Rect> frame) {
  if (usesPrivateAPI) {
    const auto answer = ax_.windowNumber(element);
    const bool succeeded = answer.error == AXError::success;
    if (onPrivateAPIResult) onPrivateAPIResult(succeeded);
    if (succeeded) {
      lastStrategy_ = Strategy::privateAPI;
      if (verifyFallback) verifyAgainstFallback(element, finderPID, answer.number, frame);
      return answer.number;
    }
  }
  auto matched = resolveByBounds(element, finderPID, frame);
  lastStrategy_ = matched ? Strategy::boundsMatch : Strategy::failed;
  return matched;
}

std::optional<WindowNumber> WindowIdentityResolver::resolveByBounds(const AXElement& element,
                                                                    ProcessId finderPID,
                                                                    std::optional<Rect> frame) {
  if (!frame) frame = AXWin::frame(ax_, element);
  if (!frame) return std::nullopt;
  auto candidates = finderWindowsAt(*frame, finderPID, WindowStack::onScreenList(windowServer_));
  if (candidates.empty()) return std::nullopt;
  if (candidates.size() == 1 && !hasOffScreenTwin(*frame, finderPID)) return candidates.front().id;
  return disambiguateByZOrder(element, *frame, finderPID, candidates);
}

std::vector<WindowIdentityResolver::OnScreenWindow> WindowIdentityResolver::finderWindowsAt(
    const Rect& frame, ProcessId finderPID, const std::vector<WindowListEntry>& list) {
  std::vector<OnScreenWindow> windows;
  for (const auto& entry : list) {
    if (WindowListFields::integer(entry, WindowKey::ownerPID) != finderPID) continue;
    if (WindowListFields::integer(entry, WindowKey::layer) != 0) continue;
    auto number = WindowListFields::windowNumber(entry);
    auto bounds = WindowListFields::bounds(entry);
    if (number && bounds && bounds->isWithin(kFrameTolerance, frame))
      windows.push_back({*number, *bounds});
  }
  return windows;
}

// A minimised window or a tab that is not selected shares the frame off screen. A failed
// list cannot rule one out.
bool WindowIdentityResolver::hasOffScreenTwin(const Rect& frame, ProcessId finderPID) {
  auto all = windowServer_.copyWindowInfo(
      WindowListOption::all | WindowListOption::excludeDesktopElements, kNullWindowNumber);
  return !all || finderWindowsAt(frame, finderPID, *all).size() > 1;
}

// Pairs Finder's accessibility windows at this frame with the on-screen candidates, both
// front to back. Minimised windows are left out by their AXMinimized; tabs that are not
// selected cannot be told apart through accessibility, so when more windows remain than
// candidates only the main window (the front one) is known.
std::optional<WindowNumber> WindowIdentityResolver::disambiguateByZOrder(
    const AXElement& element, const Rect& frame, ProcessId finderPID,
    const std::vector<OnScreenWindow>& candidates) {
  std::vector<AXElement> twins;
  for (const auto& window : AXWin::windows(ax_, ax_.applicationElement(finderPID))) {
    auto other = AXWin::frameAndMinimized(ax_, window);
    if (!other.frame || !other.frame->isWithin(kFrameTolerance, frame)) continue;
    if (other.minimized) continue;
    twins.push_back(window);
  }
  auto found = std::find(twins.begin(), twins.end(), element);
  if (found != twins.end()) {
    auto index = static_cast<std::size_t>(found - twins.begin());
    if (twins.size() == candidates.size()) return candidates[index].id;
    if (readsTrue(element, AXName::main)) return candidates.front().id;
  }
  Log::emit("identity",
            "z 順序でも曖昧: 候補 " + std::to_string(candidates.size()) + " 件 → 解決を断念");
  return std::nullopt;
}

bool WindowIdentityResolver::readsTrue(const AXElement& element, const char* attribute) {
  auto read = ax_.copyAttributeValue(element, attribute);
  const auto* value = std::get_if<AXValue>(&read);
  const bool* flag = value ? value->as<bool>() : nullptr;
  return flag && *flag;
}

void WindowIdentityResolver::verifyAgainstFallback(const AXElement& element, ProcessId finderPID,
                                                   WindowNumber expected,
                                                   std::optional<Rect> frame) {
  auto matched = resolveByBounds(element, finderPID, frame);
  if (matched == expected) {
    ++verifyMatch_;
    return;
  }
  ++verifyMismatch_;
  if (mismatchLogged_) return;
  mismatchLogged_ = true;
  const std::string message =
      matched ? "代替経路の結果 " + std::to_string(*matched) + " が私有API " +
                    std::to_string(expected) + " と不一致"
              : "代替経路が解決できず（期待値 " + std::to_string(expected) + "）";
  Log::emit("identity", "⚠️ " + message);
}

std::string WindowIdentityResolver::verificationSummary() const {
  const int total = verifyMatch_ + verifyMismatch_;
  if (total < 1) return "サンプルなし";
  const int rate = verifyMatch_ * 100 / total;
  return "一致 " + std::to_string(verifyMatch_) + " / 不一致 " + std::to_string(verifyMismatch_) +
         "（" + std::to_string(rate) + "%）";
}

}  // namespace varnelo
