// Overlays that only write down what the coordinator asked of them, with the virtual time,
// so that tests check when and with what it asks.
#pragma once

#include <string>
#include <vector>

#include "Overlay/OverlayControl.h"
#include "Platform/MainQueue.h"

namespace varnelo::test {

class RecordingOverlay final : public OverlayControl {
 public:
  explicit RecordingOverlay(MainQueue& clock) : clock_(clock) {}

  struct Call {
    TimePoint at;
    std::string what;  // "sync", "resync 0.35", "begin 12", "active 12", "active none"
  };
  std::vector<Call> calls;

  void sync(const FinderWindows&, const PaneSnapshot&) override { record("sync"); }
  void scheduleResync(const PaneSnapshot&, double delay) override {
    std::string text = std::to_string(delay);
    text.erase(text.find_last_not_of('0') + 1);
    record("resync " + text);
  }
  void beginInteraction(const FinderWindow& window) override {
    record("begin " + std::to_string(window.cgWindowID.value_or(0)));
  }
  void setActiveWindow(std::optional<WindowNumber> id) override {
    record("active " + (id ? std::to_string(*id) : std::string("none")));
  }
  bool hasSelection() const override { return hasSelection_; }
  void setHasSelection(bool hasSelection) override {
    hasSelection_ = hasSelection;
    record(hasSelection ? "selection" : "no selection");
  }

  std::vector<std::string> whats() const {
    std::vector<std::string> result;
    for (const auto& call : calls) result.push_back(call.what);
    return result;
  }
  std::size_t count(const std::string& what) const {
    std::size_t n = 0;
    for (const auto& call : calls) n += call.what == what;
    return n;
  }

 private:
  void record(std::string what) { calls.push_back({clock_.now(), std::move(what)}); }

  MainQueue& clock_;
  bool hasSelection_ = false;
};

}  // namespace varnelo::test
