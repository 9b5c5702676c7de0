#include "Commands/Desktop/WindowCommands.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "Runner/ScenarioSession.h"
#include "Runner/ScenarioTokenizer.h"
#include "Sim/Finder/FinderPaths.h"

namespace varnelo::scenario {
namespace {

using Result = CommandResult;
namespace fs = std::filesystem;

// The labelled window as the window server holds it now.
std::optional<sim::SimWindow> openWindow(ScenarioSession& session, const std::string& label) {
  auto number = session.labelledWindow(label);
  if (!number) return std::nullopt;
  return session.desktop().windowServer().window(*number);
}

Result noWindow(const std::string& label) {
  return Result::bad("no open window labelled " + label);
}

Result move(ScenarioSession& session, Arguments args) {
  auto point = args.size() == 3 && args[1] == "to" ? parsePoint(args[2]) : std::nullopt;
  if (!point) return Result::bad("usage: finder move LABEL to X,Y");
  auto window = openWindow(session, args[0]);
  if (!window) return noWindow(args[0]);
  session.desktop().windowServer().setFrame(window->number,
                                            Rect::from(*point, window->frame.size()));
  return Result::ok();
}

// The user drags the corner; "holding" leaves the mouse button down, mid-drag.
Result resize(ScenarioSession& session, Arguments args) {
  bool holding = args.size() == 3 && args[2] == "holding";
  auto size = args.size() == 2 || holding ? parseSize(args[1]) : std::nullopt;
  if (!size) return Result::bad("usage: finder resize LABEL WxH [holding]");
  auto window = openWindow(session, args[0]);
  if (!window) return noWindow(args[0]);
  auto& mouse = session.desktop().mouse();
  mouse.press();
  session.desktop().windowServer().setFrame(window->number,
                                            Rect::from(window->frame.origin(), *size));
  if (!holding) mouse.release();
  return Result::ok();
}

constexpr Duration kDefaultDrag = std::chrono::milliseconds(300);

struct DragEnd {
  Duration over = kDefaultDrag;
  sim::ButtonAtEnd button = sim::ButtonAtEnd::released;
};

// [over DURATION] [holding]
std::optional<DragEnd> parseDragEnd(Arguments args) {
  DragEnd end;
  if (args.size() >= 2 && args[0] == "over") {
    auto over = parseDuration(args[1]);
    if (!over) return std::nullopt;
    end.over = *over;
    args = args.subspan(2);
  }
  if (args.size() == 1 && args[0] == "holding") {
    end.button = sim::ButtonAtEnd::held;
    args = args.subspan(1);
  }
  if (!args.empty()) return std::nullopt;
  return end;
}

std::optional<sim::WindowEdge> parseEdge(const std::string& word) {
  if (word == "right") return sim::WindowEdge::right;
  if (word == "bottom") return sim::WindowEdge::bottom;
  if (word == "corner") return sim::WindowEdge::corner;
  return std::nullopt;
}

// finder drag LABEL to X,Y | edge right|bottom|corner by DX,DY [over DURATION] [holding]:
// the user drags the title bar or an edge; the scenario's clock moves with the drag.
Result drag(ScenarioSession& session, Arguments args) {
  const char* usage =
      "usage: finder drag LABEL to X,Y | edge right|bottom|corner by DX,DY [over DURATION] "
      "[holding]";
  bool byEdge = args.size() >= 5 && args[1] == "edge" && args[3] == "by";
  bool byTitle = args.size() >= 3 && args[1] == "to";
  auto edge = byEdge ? parseEdge(args[2]) : std::nullopt;
  auto point = byEdge || byTitle ? parsePoint(args[byEdge ? 4 : 2]) : std::nullopt;
  auto end = point ? parseDragEnd(args.subspan(byEdge ? 5 : 3)) : std::nullopt;
  if (!end || (byEdge && !edge)) return Result::bad(usage);
  auto window = openWindow(session, args[0]);
  if (!window) return noWindow(args[0]);
  auto& pointer = session.desktop().pointer();
  bool started = edge ? pointer.dragEdge(window->number, *edge, *point, end->over, end->button)
                      : pointer.drag(window->number, *point, end->over, end->button);
  if (!started) {
    return Result::bad("cannot drag " + args[0] +
                       ": another drag is under way, or less than a point would be left");
  }
  session.advance(end->over);
  return Result::ok();
}

// finder zoom LABEL: the user clicks the window's zoom button.
Result zoom(ScenarioSession& session, Arguments args) {
  if (args.size() != 1) return Result::bad("usage: finder zoom LABEL");
  auto window = openWindow(session, args[0]);
  if (!window) return noWindow(args[0]);
  if (!session.desktop().pointer().zoom(window->number))
    return Result::bad("no display to zoom to");
  return Result::ok();
}

Result retitle(ScenarioSession& session, Arguments args) {
  if (args.size() != 2) return Result::bad("usage: finder retitle LABEL TEXT");
  auto window = openWindow(session, args[0]);
  if (!window) return noWindow(args[0]);
  session.desktop().windowServer().setTitle(window->number, args[1]);
  return Result::ok();
}

// The user clicks the window: it comes to the front and its application is activated.
Result focus(ScenarioSession& session, Arguments args) {
  if (args.size() != 1) return Result::bad("usage: focus LABEL");
  auto window = openWindow(session, args[0]);
  if (!window) return noWindow(args[0]);
  auto& desktop = session.desktop();
  desktop.windowServer().raise(window->number);
  auto owner = desktop.workspace().runningApplication(window->ownerPID);
  if (owner && owner->bundleIdentifier) desktop.workspace().activate(*owner->bundleIdentifier);
  return Result::ok();
}

Result minimise(ScenarioSession& session, Arguments args, bool minimised) {
  if (args.size() != 1) return Result::bad("usage: finder minimise|restore LABEL");
  auto window = openWindow(session, args[0]);
  if (!window) return noWindow(args[0]);
  session.desktop().windowServer().setMinimised(window->number, minimised);
  return Result::ok();
}

// app window LABEL front|close
Result appWindow(ScenarioSession& session, Arguments args) {
  if (args.size() != 2 || (args[1] != "front" && args[1] != "close"))
    return Result::bad("usage: app window LABEL front|close");
  if (args[1] == "front") return focus(session, args.first(1));
  auto window = openWindow(session, args[0]);
  if (!window) return noWindow(args[0]);
  session.desktop().windowServer().destroy(window->number);
  return Result::ok();
}

// quicklook show [small|large] | quicklook hide
Result quickLook(ScenarioSession& session, Arguments args) {
  auto& finder = session.desktop().finder();
  if (args.size() == 1 && args[0] == "hide") {
    finder.hideQuickLook();
    return Result::ok();
  }
  bool large = args.size() == 2 && args[1] == "large";
  bool small = args.size() == 1 || (args.size() == 2 && args[1] == "small");
  if (args.empty() || args[0] != "show" || !(large || small))
    return Result::bad("usage: quicklook show [small|large] | quicklook hide");
  auto size = large ? sim::SimFinder::QuickLookSize::large : sim::SimFinder::QuickLookSize::small;
  if (finder.showQuickLook(size) == kNullWindowNumber) return Result::bad("Finder is not running");
  return Result::ok();
}

// mouse down|up | mouse at X,Y (screen points, bottom-left origin, as NSEvent reports)
Result mouse(ScenarioSession& session, Arguments args) {
  auto& mouse = session.desktop().mouse();
  if (args.size() == 2 && args[0] == "at") {
    auto location = parsePoint(args[1]);
    if (!location) return Result::bad("usage: mouse at X,Y");
    mouse.moveTo(*location);
    return Result::ok();
  }
  if (args.size() != 1 || (args[0] != "down" && args[0] != "up"))
    return Result::bad("usage: mouse down|up | mouse at X,Y");
  args[0] == "down" ? mouse.press() : mouse.release();
  return Result::ok();
}

// accessibility private on|off: whether the private window-number call works.
Result accessibilityPrivate(ScenarioSession& session, Arguments args) {
  if (args.size() != 1 || (args[0] != "on" && args[0] != "off"))
    return Result::bad("usage: accessibility private on|off");
  session.desktop().accessibility().setPrivateWindowNumberCallAvailable(args[0] == "on");
  return Result::ok();
}

// accessibility frame LABEL unreadable|readable
// accessibility frame LABEL unreadable|readable | offset DX,DY
Result accessibilityFrame(ScenarioSession& session, Arguments args) {
  const char* usage = "usage: accessibility frame LABEL unreadable|readable | offset DX,DY";
  auto offset = args.size() == 3 && args[1] == "offset" ? parsePoint(args[2]) : std::nullopt;
  if (!offset && (args.size() != 2 || (args[1] != "unreadable" && args[1] != "readable")))
    return Result::bad(usage);
  auto number = session.labelledWindow(args[0]);
  if (!number) return noWindow(args[0]);
  if (offset) {
    session.desktop().accessibility().setFrameOffset(*number, *offset);
    return Result::ok();
  }
  std::optional<AXError> error;
  if (args[1] == "unreadable") error = AXError::cannotComplete;
  session.desktop().accessibility().setFrameUnreadable(*number, error);
  return Result::ok();
}

// accessibility notices LABEL dropped|delivered | LABEL again NOTICE: the window's
// notices are lost or arrive; one of them is posted once more, as a Mac repeats one.
Result accessibilityNotices(ScenarioSession& session, Arguments args) {
  const bool again = args.size() == 3 && args[1] == "again";
  if (!again && (args.size() != 2 || (args[1] != "dropped" && args[1] != "delivered")))
    return Result::bad("usage: accessibility notices LABEL dropped|delivered | LABEL again NOTICE");
  auto number = session.labelledWindow(args[0]);
  if (!number) return noWindow(args[0]);
  auto& accessibility = session.desktop().accessibility();
  if (again) {
    auto window = session.desktop().windowServer().window(*number);
    if (!window) return noWindow(args[0]);
    accessibility.postAgain(window->ownerPID, *number, args[2]);
  } else {
    accessibility.setDropNotifications(*number, args[1] == "dropped");
  }
  return Result::ok();
}

// accessibility busy DURATION: meanwhile every call blocks for the messaging timeout and
// answers -25204.
Result accessibilityBusy(ScenarioSession& session, Arguments args) {
  auto duration = args.size() == 1 ? parseDuration(args[0]) : std::nullopt;
  if (!duration) return Result::bad("usage: accessibility busy DURATION");
  session.desktop().accessibility().makeUnresponsiveFor(*duration);
  return Result::ok();
}

// accessibility subrole late DURATION|off: windows that open from now on read "AXUnknown"
// for that long.
Result accessibilitySubrole(ScenarioSession& session, Arguments args) {
  const char* usage = "usage: accessibility subrole late DURATION|off";
  if (args.size() != 2 || args[0] != "late") return Result::bad(usage);
  auto delay = args[1] == "off" ? std::nullopt : parseDuration(args[1]);
  if (!delay && args[1] != "off") return Result::bad(usage);
  session.desktop().accessibility().setLateSubrole(delay);
  return Result::ok();
}

// accessibility registration busy after launch DURATION|off | fails every N|off
Result accessibilityRegistration(ScenarioSession& session, Arguments args) {
  const char* usage =
      "usage: accessibility registration busy after launch DURATION|off | fails every N|off";
  auto& ax = session.desktop().accessibility();
  bool off = !args.empty() && args.back() == "off";
  if (args.size() == 4 && args[0] == "busy" && args[1] == "after" && args[2] == "launch") {
    auto window = off ? std::nullopt : parseDuration(args[3]);
    if (!window && !off) return Result::bad(usage);
    ax.setRegistrationBusyAfterLaunch(window);
    return Result::ok();
  }
  if (args.size() != 3 || args[0] != "fails" || args[1] != "every") return Result::bad(usage);
  auto every = off ? std::optional<std::int64_t>(0) : parseInteger(args[2]);
  if (!every || *every < 0 || *every > 1000000) return Result::bad(usage);
  ax.setRegistrationFailsEvery(static_cast<int>(*every));
  return Result::ok();
}

// screen recording granted|denied: whether the window list names other processes' windows.
Result screenRecording(ScenarioSession& session, Arguments args) {
  if (args.size() != 1 || (args[0] != "granted" && args[0] != "denied"))
    return Result::bad("usage: screen recording granted|denied");
  session.desktop().windowServer().setScreenRecordingPermitted(args[0] == "granted");
  return Result::ok();
}

// finder tab open NAME folder PATH in LABEL as LABEL2 | finder tab select LABEL
Result finderTab(ScenarioSession& session, Arguments args) {
  auto& finder = session.desktop().finder();
  if (args.size() == 2 && args[0] == "select") {
    auto number = session.labelledWindow(args[1]);
    if (!number || !finder.selectTab(*number))
      return Result::bad("no Finder tab labelled " + args[1]);
    return Result::ok();
  }
  if (args.size() != 8 || args[0] != "open" || args[2] != "folder" || args[4] != "in" ||
      args[6] != "as") {
    return Result::bad("usage: finder tab open NAME folder PATH in LABEL as LABEL2 | select LABEL");
  }
  auto sibling = session.labelledWindow(args[5]);
  auto number =
      sibling ? finder.openTab(*sibling, session.expandHome(args[3]), args[1]) : kNullWindowNumber;
  if (number == kNullWindowNumber) return Result::bad("no Finder window labelled " + args[5]);
  session.windowLabels()[args[7]] = number;
  return Result::ok();
}

// A window of Finder's own process that is not one of its browser windows.
Result finderPanel(ScenarioSession& session, sim::SimWindow window, const std::string& label) {
  auto& desktop = session.desktop();
  if (!desktop.finder().isRunning()) return Result::bad("Finder is not running");
  window.ownerPID = desktop.finder().pid();
  window.ownerName = "Finder";
  session.windowLabels()[label] = desktop.windowServer().create(std::move(window));
  return Result::ok();
}

// finder menu at X,Y size WxH as LABEL: a menu or context menu, shown until it is closed
// as any window is (app window LABEL close).
Result finderMenu(ScenarioSession& session, Arguments args) {
  const char* usage = "usage: finder menu at X,Y size WxH as LABEL";
  if (args.size() != 6 || args[0] != "at" || args[2] != "size" || args[4] != "as")
    return Result::bad(usage);
  auto origin = parsePoint(args[1]);
  auto size = parseSize(args[3]);
  if (!origin || !size) return Result::bad(usage);
  sim::SimWindow menu;
  menu.layer = sim::kPopUpMenuLayer;
  menu.frame = Rect::from(*origin, *size);
  return finderPanel(session, std::move(menu), args[5]);
}

// finder info TITLE at X,Y size WxH as LABEL: a Get Info window, a standard window that is
// not among Finder's scripting windows.
Result finderInfo(ScenarioSession& session, Arguments args) {
  const char* usage = "usage: finder info TITLE at X,Y size WxH as LABEL";
  if (args.size() != 7 || args[1] != "at" || args[3] != "size" || args[5] != "as")
    return Result::bad(usage);
  auto origin = parsePoint(args[2]);
  auto size = parseSize(args[4]);
  if (!origin || !size) return Result::bad(usage);
  sim::SimWindow info;
  info.frame = Rect::from(*origin, *size);
  info.title = args[0];
  info.role = {"AXWindow", "AXStandardWindow", {}};
  return finderPanel(session, std::move(info), args[6]);
}

bool isFrontOfItsLayer(ScenarioSession& session, const sim::SimWindow& window) {
  for (const auto& other : session.desktop().windowServer().windows()) {
    if (other.onScreen() && other.layer == window.layer) return other.number == window.number;
  }
  return false;
}

Result expectWindowState(ScenarioSession& session, const sim::SimWindow& window,
                         const std::string& state) {
  if (state == "open") return Result::ok();
  if (state == "minimised") {
    if (window.minimised) return Result::ok();
    return Result::failed("a minimised window", "one that is not");
  }
  if (state == "onscreen" || state == "offscreen") {
    if (window.onScreen() == (state == "onscreen")) return Result::ok();
    return Result::failed("a window " + state, window.onScreen() ? "on screen" : "off screen");
  }
  if (state == "front") {
    if (isFrontOfItsLayer(session, window)) return Result::ok();
    return Result::failed("the window in front", "one behind");
  }
  return Result::bad("usage: expect window LABEL frame X,Y WxH | title TEXT | " +
                     std::string("open | closed | minimised | onscreen | offscreen | front"));
}

// In front of the other labelled window in the window server's order.
Result expectAbove(ScenarioSession& session, const sim::SimWindow& window,
                   const std::string& otherLabel) {
  auto other = session.labelledWindow(otherLabel);
  if (!other) return Result::bad("no window labelled " + otherLabel);
  for (const auto& each : session.desktop().windowServer().windows()) {
    if (each.number == window.number) return Result::ok();
    if (each.number == *other) return Result::failed("in front of " + otherLabel, "behind it");
  }
  return Result::failed("an open window " + otherLabel, "none");
}

// expect window LABEL frame X,Y WxH | title TEXT | open | closed | minimised | onscreen |
// offscreen | front
Result expectWindow(ScenarioSession& session, Arguments args) {
  if (args.size() < 2) return Result::bad("usage: expect window LABEL CHECK");
  if (!session.labelledWindow(args[0])) return Result::bad("no window labelled " + args[0]);
  auto window = openWindow(session, args[0]);
  if (args.size() == 2 && args[1] == "closed") {
    if (!window) return Result::ok();
    return Result::failed("window " + args[0] + " closed", "an open window");
  }
  if (!window) return Result::failed("an open window " + args[0], "none");
  if (args.size() == 4 && args[1] == "frame") {
    auto origin = parsePoint(args[2]);
    auto size = parseSize(args[3]);
    if (!origin || !size) return Result::bad("usage: expect window LABEL frame X,Y WxH");
    Rect wanted = Rect::from(*origin, *size);
    if (window->frame.isWithin(0.5, wanted)) return Result::ok();
    return Result::failed("frame " + formatFrame(wanted), formatFrame(window->frame));
  }
  if (args.size() == 3 && args[1] == "title") {
    if (window->title == args[2]) return Result::ok();
    return Result::failed("title \"" + args[2] + "\"", "\"" + window->title + "\"");
  }
  if (args.size() == 3 && args[1] == "above") return expectAbove(session, *window, args[2]);
  if (args.size() != 2) return Result::bad("usage: expect window LABEL CHECK");
  return expectWindowState(session, *window, args[1]);
}

// Finder's front browser window shows the folder with exactly these items selected.
Result expectFinderFront(ScenarioSession& session, Arguments args) {
  if (args.size() == 2 || (args.size() > 2 && args[1] != "selecting"))
    return Result::bad("usage: expect finder front FOLDER [selecting ITEM…]");
  auto spelled = [&](const std::string& word) {
    auto path = session.expandHome(word);
    return sim::FinderPaths::canonical(path).value_or(path);
  };
  std::vector<fs::path> selecting;
  for (const auto& word : args.subspan(std::min<std::size_t>(args.size(), 2))) {
    selecting.push_back(spelled(word));
  }
  auto windows = session.desktop().finder().windows();
  if (windows.empty()) return Result::failed("a Finder window in front", "none");
  const auto& front = windows.front();
  const std::string shown = front.target.folder ? front.target.folder->string() : "no folder";
  if (front.target.folder != spelled(args[0])) return Result::failed(args[0], shown);
  if (front.selection == selecting) return Result::ok();
  std::string got;
  for (const auto& item : front.selection) got += (got.empty() ? "" : " ") + item.string();
  return Result::failed(std::to_string(selecting.size()) + " selected items",
                        got.empty() ? "none" : got);
}

Result expectFinder(ScenarioSession& session, Arguments args) {
  if (!args.empty() && args[0] == "front") return expectFinderFront(session, args.subspan(1));
  if (args.size() == 1 && args[0] == "active") {
    auto front = session.desktop().workspace().frontmostApplication();
    if (front && front->bundleIdentifier == kFinderBundleIdentifier) return Result::ok();
    return Result::failed("Finder frontmost", front ? front->localizedName : "none");
  }
  if (args.size() != 1 || (args[0] != "running" && args[0] != "quit"))
    return Result::bad("usage: expect finder running|quit|active | front FOLDER [selecting ITEM…]");
  bool running = session.desktop().finder().isRunning();
  if (running == (args[0] == "running")) return Result::ok();
  return Result::failed("Finder " + args[0], running ? "running" : "quit");
}

Result expectMouse(ScenarioSession& session, Arguments args) {
  if (args.size() != 1 || (args[0] != "down" && args[0] != "up"))
    return Result::bad("usage: expect mouse down|up");
  bool down = session.desktop().mouse().isLeftButtonDown();
  if (down == (args[0] == "down")) return Result::ok();
  return Result::failed("the button " + args[0], down ? "down" : "up");
}

}  // namespace

std::optional<CommandResult> windowAction(ScenarioSession& session, const std::string& verb,
                                          Arguments args) {
  if (verb == "move") return move(session, args);
  if (verb == "resize") return resize(session, args);
  if (verb == "drag") return drag(session, args);
  if (verb == "zoom") return zoom(session, args);
  if (verb == "retitle") return retitle(session, args);
  if (verb == "focus") return focus(session, args);
  if (verb == "minimise") return minimise(session, args, /*minimised=*/true);
  if (verb == "restore") return minimise(session, args, /*minimised=*/false);
  return std::nullopt;
}

CommandResult openApplicationWindow(ScenarioSession& session, Arguments args) {
  const char* usage = "usage: app NAME window at X,Y size WxH [titled TEXT] as LABEL";
  bool titled = args.size() == 10 && args[6] == "titled";
  if ((args.size() != 8 && !titled) || args[1] != "window" || args[2] != "at" ||
      args[4] != "size" || args[args.size() - 2] != "as") {
    return Result::bad(usage);
  }
  auto origin = parsePoint(args[3]);
  auto size = parseSize(args[5]);
  if (!origin || !size) return Result::bad(usage);
  auto& workspace = session.desktop().workspace();
  auto installed = workspace.installedApplicationNamed(args[0]);
  if (!installed) {
    installed = sim::InstalledApplication{"com.example." + args[0], args[0],
                                          "/Applications/" + args[0] + ".app"};
    workspace.install(*installed);
  }
  workspace.launch(installed->bundleIdentifier);
  auto running = workspace.runningApplication(installed->bundleIdentifier);
  if (!running) return Result::bad(args[0] + " cannot be launched");
  sim::SimWindow window;
  window.ownerPID = running->processId;
  window.ownerName = running->localizedName;
  window.frame = Rect::from(*origin, *size);
  window.title = titled ? args[7] : "Untitled";
  window.role = {"AXWindow", "AXStandardWindow", {}};
  session.windowLabels()[args.back()] = session.desktop().windowServer().create(window);
  return Result::ok();
}

void addWindowCommands(CommandTable& table) {
  table.add("screen recording", "granted|denied", screenRecording);
  table.add("finder tab", "open NAME folder PATH in LABEL as LABEL2 | select LABEL", finderTab);
  table.add("finder menu", "at X,Y size WxH as LABEL", finderMenu);
  table.add("finder info", "TITLE at X,Y size WxH as LABEL", finderInfo);
  table.add("app window", "LABEL front|close", appWindow);
  table.add("quicklook", "show [small|large] | hide", quickLook);
  table.add("mouse", "down|up | at X,Y", mouse);
  table.add("accessibility private", "on|off", accessibilityPrivate);
  table.add("accessibility frame", "LABEL unreadable|readable | offset DX,DY", accessibilityFrame);
  table.add("accessibility notices", "LABEL dropped|delivered | LABEL again NOTICE",
            accessibilityNotices);
  table.add("accessibility busy", "DURATION", accessibilityBusy);
  table.add("accessibility subrole", "late DURATION|off", accessibilitySubrole);
  table.add("accessibility registration", "busy after launch DURATION|off | fails every N|off",
            accessibilityRegistration);
  table.add(
      "expect window",
      "LABEL frame X,Y WxH | title TEXT | above LABEL | open | closed | minimised | onscreen | "
      "offscreen | front",
      expectWindow);
  table.add("expect finder", "running|quit|active | front FOLDER [selecting ITEM…]", expectFinder);
  table.add("expect mouse", "down|up", expectMouse);
}

}  // namespace varnelo::scenario
