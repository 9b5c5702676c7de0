// Varnelo's panels on the simulated desktop: each is a window of Varnelo's own process in
// the window server at the floating level, so that window-list questions (occlusion,
// Quick Look) see them as on a Mac and a panel covers or is covered. The desktop tracks
// which panel is key, so a scenario can type into a bar and take the key status away.
// Main thread only (the window server takes its own lock); callbacks are posted to the
// main queue and dropped when their panel is gone by then. Outlives every panel it made.
//
// Limits: a panel has no accessibility element and draws nothing; a tooltip's fitting
// size is an estimate from its text (6.5 points per Latin character, 12 per wide one,
// 16 points of padding, 22 high), other contents fit their creation size.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "Platform/MainQueue.h"
#include "Platform/Panels.h"
#include "Sim/WindowServer/SimWindowServer.h"

namespace varnelo::sim {

inline constexpr const char* kVarneloProcessName = "Varnelo";

class SimPanels final : public Panels {
 public:
  SimPanels(SimWindowServer& server, MainQueue& queue, ProcessId ownerPID);
  ~SimPanels() override;
  SimPanels(const SimPanels&) = delete;
  SimPanels& operator=(const SimPanels&) = delete;

  std::unique_ptr<Panel> create(const PanelStyle& style, PanelContent content) override;

  // Live panels, oldest first.
  std::vector<const Panel*> panels() const;
  const Panel* panel(WindowNumber number) const;
  // The style the panel was made with; nullopt for a window that is no live panel.
  std::optional<PanelStyle> style(WindowNumber number) const;

  // A click in the panel: it becomes key when it may (the previous key panel resigns);
  // false when it may not or is no live panel.
  bool makeKey(WindowNumber number);
  // Another window took the key status; the key panel, if any, is told.
  void resignKey();
  std::optional<WindowNumber> keyPanel() const { return key_; }
  // Esc typed into the key panel; false when no panel is key.
  bool pressEscape();

 private:
  class SimPanel;
  friend class SimPanel;

  void forget(WindowNumber number);
  SimPanel* find(WindowNumber number) const;

  SimWindowServer& server_;
  MainQueue& queue_;
  ProcessId ownerPID_;
  std::vector<SimPanel*> panels_;
  std::optional<WindowNumber> key_;
};

}  // namespace varnelo::sim
