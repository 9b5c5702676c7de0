// A person's hand on the mouse of the live desktop: presses, moves and releases at points
// of the desktop (top-left coordinates), taken as the window manager and Finder take them.
// Every effect goes through the simulated services, so Varnelo hears exactly what a user's
// mouse would make a Mac post. Main thread only.
//
// A press goes to the front window under it (Varnelo's own panels excepted: they take
// their clicks themselves). It brings that window to the front and activates its
// application, then:
//   - on a title-bar button, the button acts when the button is released over it (close
//     and minimise for Finder's windows, zoom for any);
//   - on the title bar, the window follows the pointer while the button is held, kept on
//     screen as the window server keeps it (a double click zooms it); on the outer
//     kEdgeGrab points of the right or bottom edge or their corner, that edge follows it;
//   - in another application's open or save dialog, its default and Cancel buttons act
//     when released over, and a double click on a folder in its list shows that folder;
//   - in a Finder window's list, a click selects the row's item (shift: the range from the
//     last clicked item; command: adds or removes it; empty space: nothing), a double
//     click opens it (a folder in the same window, unannounced, as Finder does);
//   - on the desktop, Finder becomes active;
//   - on an application's item in the Dock, it becomes active with its windows in front;
//   - on the status item, its menu opens (the host draws it and answers it).
// The mouse's button and location follow the hand throughout.
//
// Limits (inferred): a window keeps at least kLeastSize while an edge is dragged; a
// dialog's name field and pop-up and other menus take no clicks; the Dock shows Finder and
// the applications with windows, nothing pinned.
#pragma once

#include <filesystem>
#include <map>
#include <optional>

#include "Platform/Geometry.h"
#include "Sim/Applications/SimFileDialogs.h"
#include "Sim/Finder/FinderWindowLayout.h"
#include "Sim/Finder/SimFinder.h"
#include "Sim/Interface/SimStatusBar.h"
#include "Sim/User/SimPointer.h"
#include "Sim/WindowServer/SimMouse.h"
#include "Sim/WindowServer/SimWindowServer.h"
#include "Sim/Workspace/SimWorkspace.h"

namespace varnelo::sim {

struct HandModifiers {
  bool shift = false;
  bool command = false;
};

class SimHand {
 public:
  static constexpr Size kLeastSize{200, 120};

  // Borrows all; they outlive it. Windows of `ownPid` (Varnelo's) are passed over.
  SimHand(SimWindowServer& windowServer, SimMouse& mouse, SimPointer& pointer,
          SimWorkspace& workspace, SimFinder& finder, SimFileDialogs& dialogs,
          SimStatusBar& statusBar, ProcessId ownPid);
  SimHand(const SimHand&) = delete;
  SimHand& operator=(const SimHand&) = delete;

  // `clicks` is 2 for the second press of a double click.
  void press(Point at, HandModifiers modifiers = {}, int clicks = 1);
  void moveTo(Point at);
  void release(Point at);

  // The applications the Dock shows, in its order: Finder while it runs, then every other
  // application with a window of its own, by process id.
  std::vector<RunningApplication> dockApplications() const;

 private:
  enum class Grip { none, titleBar, right, bottom, corner, button, dialogConfirm, dialogCancel };

  std::optional<SimWindow> windowAt(Point at) const;
  void bringForward(const SimWindow& window);
  void clickDock(const Rect& dock, Point at);
  // True when the press was the dialog's.
  bool pressDialog(WindowNumber window, Point at, int clicks);
  void clickList(const FinderWindow& window, Point at, HandModifiers modifiers, int clicks);
  void act(FinderWindowLayout::TitleButton button);

  SimWindowServer& windowServer_;
  SimMouse& mouse_;
  SimPointer& pointer_;
  SimWorkspace& workspace_;
  SimFinder& finder_;
  SimFileDialogs& dialogs_;
  SimStatusBar& statusBar_;
  ProcessId ownPid_;

  Grip grip_ = Grip::none;
  WindowNumber held_ = kNullWindowNumber;
  Rect heldFrame_;
  Point pressedAt_;
  FinderWindowLayout::TitleButton button_ = FinderWindowLayout::TitleButton::close;
  DialogId dialog_ = 0;
  std::map<int, std::filesystem::path> anchors_;  // the last clicked item, by window id
};

}  // namespace varnelo::sim
