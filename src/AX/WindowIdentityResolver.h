// Turns a Finder window's accessibility element into its window-server number: first by
// the private element-to-number call, else by matching its frame against Finder's
// on-screen windows (ties, and windows sharing the frame off screen, settled by stacking
// order). While the private call works, each answer is cross-checked against the frame
// match and scored. Unresolvable is absent; only the first mismatch and an unsettled tie
// are logged ("identity").
// Main thread only.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Platform/Accessibility.h"
#include "Platform/Geometry.h"
#include "Platform/WindowServer.h"

namespace varnelo {

class WindowIdentityResolver {
 public:
  enum class Strategy { privateAPI, boundsMatch, failed };
  static constexpr double kFrameTolerance = 2.0;

  // Borrows the ports, which must outlive the resolver.
  WindowIdentityResolver(Accessibility& ax, WindowServer& windowServer);

  bool usesPrivateAPI = true;
  // After a private-call success, also run the frame match and compare.
  bool verifyFallback = true;
  // Told the outcome of every private-call attempt (true = success).
  std::function<void(bool)> onPrivateAPIResult;

  // `frame`: the element's frame as the caller has just read it, so that the frame match
  // need not read it again; absent, it is read when needed.
  std::optional<WindowNumber> resolve(const AXElement& element, ProcessId finderPID,
                                      std::optional<Rect> frame = std::nullopt);

  Strategy lastStrategy() const { return lastStrategy_; }
  int verifyMatch() const { return verifyMatch_; }
  int verifyMismatch() const { return verifyMismatch_; }
  // "サンプルなし", or "一致 3 / 不一致 1（75%）".
  std::string verificationSummary() const;

 private:
  struct OnScreenWindow {
    WindowNumber id = 0;
    Rect bounds;
  };

  std::optional<WindowNumber> resolveByBounds(const AXElement& element, ProcessId finderPID,
                                              std::optional<Rect> frame);
  // Finder's normal-layer windows of the list at `frame`, in the list's order.
  static std::vector<OnScreenWindow> finderWindowsAt(const Rect& frame, ProcessId finderPID,
                                                     const std::vector<WindowListEntry>& list);
  bool hasOffScreenTwin(const Rect& frame, ProcessId finderPID);
  std::optional<WindowNumber> disambiguateByZOrder(const AXElement& element, const Rect& frame,
                                                   ProcessId finderPID,
                                                   const std::vector<OnScreenWindow>& candidates);
  // False when the read fails.
  bool readsTrue(const AXElement& element, const char* attribute);
  void verifyAgainstFallback(const AXElement& element, ProcessId finderPID, WindowNumber expected,
                             std::optional<Rect> frame);

  Accessibility& ax_;
  WindowServer& windowServer_;
  Strategy lastStrategy_ = Strategy::privateAPI;
  int verifyMatch_ = 0;
  int verifyMismatch_ = 0;
  bool mismatchLogged_ = false;
};

// "私有API", "bounds突合", "解決不能".
const char* rawValue(WindowIdentityResolver::Strategy strategy);

}  // namespace varnelo
