// The simulated macOS desktop: owns the clock (virtual or real) and every simulated
// system service, wired together, and hands them to the system as Ports. Construction
// never fails: a home folder that cannot be made leaves the defaults unwritable.
// Main thread only: create, use and destroy it on the thread that drives the clock.
//
// Finder's process is quit and relaunched here, so that Finder, the workspace and the
// accessibility tree agree; quitting it through the workspace alone leaves its windows.
// A script that finds Finder quit launches it the same way, on the script's thread: that
// path touches only services that take their own locks (workspace, Finder, window server)
// and posts every notification, onFinderLaunched included, to the main queue.
//
// Volumes: the home is on the default volume; `<home>/Volumes/External` is a second
// volume, so a move between the two copies the bytes.
//
// Limits: one user, one Varnelo process at a time (started again, it keeps its pid);
// Finder's desktop window covers the primary screen only (an empty frame with no
// display); in real-time mode the process's handled signals are taken from the real
// process (SimProcessHooks::forwardRealSignals), which only the first real-time desktop
// alive in a process can do.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "Platform/Ports.h"
#include "Sim/Accessibility/SimAccessibility.h"
#include "Sim/Accessibility/SimAccessibilityTrust.h"
#include "Sim/Accessibility/SimElementTree.h"
#include "Sim/AppleScript/SimAutomationPermission.h"
#include "Sim/AppleScript/SimScriptHost.h"
#include "Sim/Applications/SimFileDialogs.h"
#include "Sim/Clock/RealTimeScheduler.h"
#include "Sim/Clock/VirtualScheduler.h"
#include "Sim/Defaults/SimGlobalDefaults.h"
#include "Sim/Defaults/SimUserDefaults.h"
#include "Sim/Finder/SimFinder.h"
#include "Sim/Interface/SimAlerts.h"
#include "Sim/Interface/SimAppWindows.h"
#include "Sim/Interface/SimApplicationChooser.h"
#include "Sim/Interface/SimLoginItems.h"
#include "Sim/Interface/SimStatusBar.h"
#include "Sim/Process/SimFileAccess.h"
#include "Sim/Process/SimProcessHooks.h"
#include "Sim/Process/SimSystemInfo.h"
#include "Sim/Process/SimSystemLog.h"
#include "Sim/User/SimHand.h"
#include "Sim/User/SimKeyboard.h"
#include "Sim/User/SimPointer.h"
#include "Sim/WindowServer/SimMouse.h"
#include "Sim/WindowServer/SimPanels.h"
#include "Sim/WindowServer/SimScreens.h"
#include "Sim/WindowServer/SimWindowServer.h"
#include "Sim/Workspace/SimApplication.h"
#include "Sim/Workspace/SimPasteboard.h"
#include "Sim/Workspace/SimWorkspace.h"

namespace varnelo::sim {

enum class ClockMode { virtualTime, realTime };

// When quitting Finder posts AXUIElementDestroyed for its windows. The notices and the
// workspace's termination notice travel on separate channels with no fixed order, and a
// Mac often loses the destroyed notices; `seeded` picks one of the three from the
// desktop's random numbers.
enum class DestroyedNotices { beforeTermination, afterTermination, dropped, seeded };

// Which application a "Show in Finder" request reached.
enum class FileViewer { varnelo, other, finder };

class SimDesktop {
 public:
  struct Options {
    ClockMode clock = ClockMode::virtualTime;
    // Empty: a fresh temporary folder, removed on destruction; a given folder is kept.
    // Either way it gets the standard folders a macOS home has (Desktop, Documents,
    // Downloads, Library/Preferences, Library/Logs), the privacy database and the second
    // volume's folder (Volumes/External) where they are missing.
    std::filesystem::path home;
    OsVersion osVersion{15, 4, 1};
    std::vector<std::string> languages{"ja-JP"};
    bool stdoutIsTerminal = false;
    // Virtual time only: the calendar time at which the clock starts.
    WallTime wallStart =
        std::chrono::sys_days{std::chrono::year{2026} / 1 / 5} + std::chrono::hours{9};
    int varneloPid = kDefaultVarneloPid;
    // Where the desktop's random choices start, so that a run can be repeated.
    std::uint64_t seed = 1;
    // Real time only: the event loop the application runs and stops, for a host that
    // drives the clock from a loop of its own (RealTimeLoop::runDue); empty: the clock's
    // own run() and quit().
    std::function<void()> runEventLoop;
    std::function<void()> stopEventLoop;
  };

  SimDesktop();
  explicit SimDesktop(Options options);
  ~SimDesktop();
  SimDesktop(const SimDesktop&) = delete;
  SimDesktop& operator=(const SimDesktop&) = delete;

  SimScheduler& scheduler() { return *scheduler_; }
  // Null in real-time mode.
  VirtualScheduler* virtualClock() { return virtualClock_; }
  // Null in virtual-time mode.
  RealTimeLoop* realTimeLoop() { return realTimeLoop_; }
  SimSystemInfo& systemInfo() { return *systemInfo_; }
  SimUserDefaults& defaults() { return *defaults_; }
  SimGlobalDefaults& globalDefaults() { return *globalDefaults_; }
  SimSystemLog& systemLog() { return *systemLog_; }
  SimAccessibilityTrust& accessibilityTrust() { return *accessibilityTrust_; }
  SimAccessibility& accessibility() { return *accessibility_; }
  SimElementTree& elementTree() { return elementTree_; }
  SimFileDialogs& fileDialogs() { return *fileDialogs_; }
  SimWindowServer& windowServer() { return *windowServer_; }
  SimMouse& mouse() { return *mouse_; }
  SimPointer& pointer() { return *pointer_; }
  // A person's mouse on the live desktop.
  SimHand& hand() { return *hand_; }
  SimKeyboard& keyboard() { return *keyboard_; }
  SimScreens& screens() { return *screens_; }
  SimPanels& panels() { return *panels_; }
  SimAutomationPermission& automation() { return *automation_; }
  SimWorkspace& workspace() { return *workspace_; }
  SimProcessHooks& process() { return *process_; }
  SimApplication& application() { return *application_; }
  SimFinder& finder() { return *finder_; }
  SimScriptHost& scriptHost() { return *scriptHost_; }
  SimPasteboard& pasteboard() { return pasteboard_; }
  SimStatusBar& statusBar() { return statusBar_; }
  SimAlerts& alerts() { return alerts_; }
  SimLoginItems& loginItems() { return loginItems_; }
  SimApplicationChooser& applicationChooser() { return applicationChooser_; }
  SimAppWindows& appWindows() { return appWindows_; }
  SimFileAccess& files() { return *files_; }

  Ports ports();

  // The displays change (attached, detached, rearranged, the Dock moved); the system's
  // windows and Finder's desktop window follow. False, changing nothing, for a list that
  // is no possible arrangement.
  bool setScreens(std::vector<SimScreen> screens);

  // The second volume's root.
  std::filesystem::path externalVolume() const;

  // Finder's windows go and the workspace reports it terminated, in the order `notices`
  // says; false when it does not run. With a quitting time Finder first quits for that
  // long, answering no Apple event.
  bool quitFinder(DestroyedNotices notices = DestroyedNotices::beforeTermination,
                  Duration quitting = Duration{0});
  // Another application asks the system to show items in Finder (a non-empty list): the
  // viewer that "NSFileViewer" names at this moment gets them when it runs (Varnelo as an
  // open-URLs request); otherwise Finder, launched first when it has quit, comes to the
  // front with a window on the first item's folder and that folder's items selected.
  FileViewer showInFinder(const std::vector<std::filesystem::path>& items);
  // Restarts the desktop's random numbers (the choices `seeded` makes) from `seed`.
  void seedRandom(std::uint64_t seed);
  // Finder starts with a new pid (the workspace reports it launched) and reopens the
  // browser windows it had; false when it runs already.
  bool relaunchFinder();
  // Varnelo's ended process becomes a new one, ready to run the application again; false,
  // changing nothing, while it runs. What the ended run left outside the process (defaults,
  // global preferences, Finder's windows and sidebars) stays. The ended run's panels,
  // status item and observers stay until the host destroys the objects that made them,
  // which it does first, as a process's memory goes with it.
  bool restartVarnelo();
  // After every launch of Finder, on the main queue. Finder answers ⌘N (a window on the
  // home folder), ⌘W (the front window closes) and Space (Quick Look) while frontmost.
  std::function<void()> onFinderLaunched;

 private:
  // Starts a Finder that has quit, for relaunchFinder and for scripts: true once it
  // runs. Any thread.
  bool launchFinder();
  // Finder's keys a person uses: ⌘N opens a window on the home folder, ⌘W closes the
  // front one, Space shows the selection in Quick Look or closes it. Main thread.
  void listenToFinderKeys();
  DestroyedNotices draw(DestroyedNotices notices);

  // Removes a temporary home last, after the clock has stopped every worker.
  struct OwnedFolder {
    std::filesystem::path path;
    bool removeOnDestruction = false;
    ~OwnedFolder();
  };

  OwnedFolder home_;
  // Declared before the clock so that they outlive it: a script parked in spend() is
  // released and finishes on its worker while the clock is destroyed; so is a drag.
  std::unique_ptr<SimAccessibilityTrust> accessibilityTrust_;
  std::unique_ptr<SimWorkspace> workspace_;
  std::unique_ptr<SimAutomationPermission> automation_;
  std::unique_ptr<SimWindowServer> windowServer_;
  SimElementTree elementTree_;
  std::unique_ptr<SimAccessibility> accessibility_;
  std::unique_ptr<SimMouse> mouse_;
  std::unique_ptr<SimPointer> pointer_;
  std::unique_ptr<SimKeyboard> keyboard_;
  std::unique_ptr<SimHand> hand_;
  std::unique_ptr<SimScreens> screens_;
  std::unique_ptr<SimFinder> finder_;
  std::unique_ptr<SimScriptHost> scriptHost_;
  std::unique_ptr<SimScheduler> scheduler_;
  VirtualScheduler* virtualClock_ = nullptr;
  RealTimeLoop* realTimeLoop_ = nullptr;
  std::unique_ptr<SimSystemLog> systemLog_;
  std::unique_ptr<SimSystemInfo> systemInfo_;
  std::unique_ptr<SimUserDefaults> defaults_;
  std::unique_ptr<SimGlobalDefaults> globalDefaults_;
  std::unique_ptr<SimPanels> panels_;
  std::unique_ptr<SimProcessHooks> process_;
  std::unique_ptr<SimApplication> application_;
  SimPasteboard pasteboard_;
  SimStatusBar statusBar_;
  SimAlerts alerts_;
  SimLoginItems loginItems_;
  SimApplicationChooser applicationChooser_;
  SimAppWindows appWindows_;
  std::unique_ptr<SimFileAccess> files_;
  // After the clock: destroyed first, so no task of a dialog outlives it.
  std::unique_ptr<SimFileDialogs> fileDialogs_;
  std::mt19937_64 random_;
};

}  // namespace varnelo::sim
