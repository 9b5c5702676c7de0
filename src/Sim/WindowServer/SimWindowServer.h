// The simulated window server: the one place that holds every simulated window's number,
// owner, layer, alpha, frame, title, tab group, on-screen state and front-to-back order, and
// answers the window-list query. Operations on a window that does not exist answer false or
// nullopt and change nothing. Any thread: one mutex; the change listener is called on
// the changing thread after the mutex is released.
//
// Limits: any number of screens (SimScreen), or none, changeable at any time; the
// system's own windows follow them: one menu bar window owned by "Window Server" at layer 24
// and two status items of "Control Center" at layer 25, on the primary screen only (a Mac
// with separate Spaces draws a menu bar on every screen; the others' strips only leave
// their visible frames), and one Dock window at layer 20 on the screen that shows the Dock;
// each is on screen only while its strip is not empty. Other windows keep their frames
// when screens change, even off every screen, as on a Mac. No spaces; windows are ordered
// by layer first, so raising a window only brings it to the front of its own layer; numbers
// count up and are never reused; the bounds in the list are exactly the frames held, with
// no shadow insets. Tabs: the windows of a group share one frame and only the selected one
// is on screen; closing the selected tab selects the next one (inferred); a minimised
// group minimises only its selected window.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "Platform/WindowServer.h"
#include "Sim/WindowServer/SimScreen.h"

namespace varnelo::sim {

inline constexpr int kNormalLayer = 0;
inline constexpr int kFloatingLayer = 3;
inline constexpr int kDockLayer = 20;
inline constexpr int kMainMenuLayer = 24;
inline constexpr int kStatusLayer = 25;
inline constexpr int kPopUpMenuLayer = 101;
inline constexpr int kDesktopIconLayer = -2147483603;

// Processes of the system that own windows but are not applications of the workspace.
inline constexpr ProcessId kWindowServerPID = 150;
inline constexpr ProcessId kDockPID = 160;
inline constexpr ProcessId kControlCenterPID = 170;

// Where an application's status item stands in a menu bar of this frame: left of the
// system's items, 28 points wide (one item: the simulation has no other application's).
Rect appStatusItemFrame(const Rect& menuBar);

// How the accessibility tree describes a window; an empty role keeps it out of the tree.
struct SimWindowRole {
  std::string role;
  std::string subrole;
  std::string identifier;
  bool operator==(const SimWindowRole&) const = default;
};

struct SimWindow {
  WindowNumber number = kNullWindowNumber;
  ProcessId ownerPID = 0;
  std::string ownerName;
  int layer = kNormalLayer;
  double alpha = 1;
  Rect frame;  // top-left origin
  std::string title;
  bool minimised = false;
  // Kept off screen by its application: a tab that is not selected, a hidden Dock.
  bool orderedOut = false;
  // The windows of one tab group share it (kNullWindowNumber: not a tab).
  WindowNumber tabGroup = kNullWindowNumber;
  SimWindowRole role;
  bool onScreen() const { return !minimised && !orderedOut; }
  bool operator==(const SimWindow&) const = default;
};

enum class SimWindowChange {
  created,
  destroyed,
  moved,
  resized,
  retitled,
  reordered,
  minimised,
  restored,
  orderedOut,  // went off screen without being minimised (a tab another one replaced)
  orderedIn    // came back on screen (a tab selected)
};

struct SimWindowEvent {
  SimWindowChange change = SimWindowChange::created;
  WindowNumber number = kNullWindowNumber;
  ProcessId ownerPID = 0;
  bool operator==(const SimWindowEvent&) const = default;
};

// Whether a change reaches the change listener (and so the accessibility tree's
// notifications); an application may change a window without announcing it.
enum class ChangeNotice { reported, unreported };

class SimWindowServer final : public WindowServer {
 public:
  // `reader` is the process that reads the list: its own windows' names are always listed.
  explicit SimWindowServer(ProcessId reader = 0);

  std::optional<std::vector<WindowListEntry>> copyWindowInfo(std::uint32_t options,
                                                             WindowNumber relativeTo) override;

  // Called for every change, after it is made, on the thread that made it; set it before
  // other threads use the server. Moving and resizing at once reports moved, then resized.
  void setChangeListener(std::function<void(const SimWindowEvent&)> listener);

  // Takes `window.number` from the server and opens the window in front of its layer.
  WindowNumber create(SimWindow window);
  // A new selected tab beside `sibling` (after it in the tab bar), with its frame and
  // layer, in front of the layer; the tab it replaces on screen is ordered out.
  // kNullWindowNumber when the sibling does not exist.
  WindowNumber createTab(WindowNumber sibling, SimWindow window);
  // The tab comes on screen in front of its layer and the selected one goes off; raising a
  // tab that is not selected selects it. False for a window that is not a tab.
  bool selectTab(WindowNumber number);
  std::vector<WindowNumber> tabsOf(WindowNumber number) const;  // in tab-bar order
  bool destroy(WindowNumber number);
  // Reports moved and resized only for what really changes; every tab of a group moves.
  bool setFrame(WindowNumber number, Rect frame);
  bool setTitle(WindowNumber number, std::string title,
                ChangeNotice notice = ChangeNotice::reported);
  // To the front of its layer; reports reordered only when the order changes.
  bool raise(WindowNumber number);
  // False for a tab that is not selected. A restored window comes back in front of its
  // layer, as from the Dock.
  bool setMinimised(WindowNumber number, bool minimised);
  // An application's own showing and hiding of a window (a panel); ordering in also brings
  // it to the front of its layer. False for a tab, whose selection decides instead.
  bool setOrderedOut(WindowNumber number, bool orderedOut);

  std::optional<SimWindow> window(WindowNumber number) const;
  std::vector<SimWindow> windows() const;  // front to back, off-screen ones included
  std::vector<SimWindow> windowsOf(ProcessId pid) const;

  // The first is the primary; one 1440x900 screen with a 25-point menu bar at first.
  std::vector<SimScreen> screens() const;
  // False, changing nothing, for a list that is no possible arrangement
  // (isPossibleArrangement).
  bool setScreens(std::vector<SimScreen> screens);

  // Without the screen-recording permission (the default) the list leaves out the names of
  // windows that other processes than the reader own.
  void setScreenRecordingPermitted(bool permitted);

  // Bad input for the list's readers: one window's entry gets a field replaced (any
  // type, a number above 32 bits) or removed, until cleared; the next list fails.
  void overrideEntryField(WindowNumber number, const std::string& key, WindowListValue value);
  void removeEntryField(WindowNumber number, const std::string& key);
  void clearEntryOverrides(WindowNumber number);
  void failNextList();

 private:
  struct Override {
    std::map<std::string, WindowListValue> replaced;
    std::set<std::string> removed;
  };

  // Mutex held.
  WindowNumber insert(SimWindow window, std::vector<WindowNumber>::iterator at);
  // Each returns the events it causes.
  std::vector<SimWindowEvent> layOutSystemWindows();
  // Frames the window to a strip, or keeps its frame and orders it out for an empty one.
  std::vector<SimWindowEvent> placeSystemWindow(WindowNumber number, Rect strip);
  std::vector<SimWindowEvent> applyFrame(SimWindow& window, Rect frame);
  std::vector<SimWindowEvent> showTab(SimWindow& tab);
  // Before the window goes: a selected tab hands its place on screen to the next tab.
  std::vector<SimWindowEvent> leaveTabGroup(SimWindow& window);
  SimWindow* find(WindowNumber number);
  const SimWindow* find(WindowNumber number) const;
  std::vector<WindowNumber>::iterator frontOfLayer(int layer);
  std::vector<const SimWindow*> listed(std::uint32_t options, WindowNumber relativeTo) const;
  WindowListEntry entry(const SimWindow& window) const;
  void notify(const std::vector<SimWindowEvent>& events);  // mutex not held

  mutable std::mutex mutex_;
  std::map<WindowNumber, SimWindow> windows_;
  std::vector<WindowNumber> order_;  // front to back, layers descending
  WindowNumber nextNumber_ = 1;
  WindowNumber menuBar_ = kNullWindowNumber;
  WindowNumber dock_ = kNullWindowNumber;
  std::vector<WindowNumber> statusItems_;
  std::map<WindowNumber, std::vector<WindowNumber>> tabGroups_;  // tab-bar order
  std::vector<SimScreen> screens_{SimScreen{}};
  ProcessId reader_ = 0;
  bool screenRecordingPermitted_ = false;
  std::map<WindowNumber, Override> overrides_;
  bool failNextList_ = false;
  std::function<void(const SimWindowEvent&)> listener_;
};

}  // namespace varnelo::sim
