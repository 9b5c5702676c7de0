// The simulated accessibility interface: per-process element trees over the window
// server's windows and the elements inside them (SimElementTree), attribute reads and
// writes, the raise action, observers, and the private window-number call. Failures are the
// platform's AXError codes: -25211 for every call while Varnelo is not trusted, -25202 for
// a destroyed window or element, -25204 for a process that does not run or does not
// answer. Every call but the trust check is a round trip to the other process: it takes
// the caller kDefaultRoundTrip of virtual time, and while the process does not answer it
// blocks for the element's messaging timeout (6 s unless set) and then fails with -25204.
// Any thread (dialogs are read off the main thread); notifications reach handlers on the
// main queue, always posted, never inline.
//
// Lock order: SimFinder → SimWindowServer → SimAccessibility → an observer's state (the
// workspace's lock and the element tree's are leaves); this class holds no lock while
// calling out (the window server, the element tree, the process lookup, the queue).
//
// Limits: a window without contents has empty AXChildren and AXSheets (so a tab group has
// no tab bar to read); a window's sheets are its children whose role is "AXSheet"; an
// element inside a window answers AXRole, AXSubrole, AXTitle, AXValue, AXURL, AXChildren,
// AXSheets, AXPosition, AXSize and AXParent, takes AXValue only on a text field or combo
// box, has no actions, and its window-number call answers its window's number (inferred);
// "AXSheetCreated" (for a sheet) and "AXUIElementDestroyed" (for an element that goes)
// reach only registrations on the application element, and no notice is posted for other
// elements that appear (inferred); windows above the normal layer never become the
// focused or main window; written sizes and positions are constrained to the screens as
// FrameConstraints says; only windows with a role are in a tree; a process counts as
// launched when its first window appears.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "Platform/Accessibility.h"
#include "Sim/Accessibility/SimAXElement.h"
#include "Sim/Accessibility/SimAXObserver.h"
#include "Sim/Accessibility/SimAccessibilityTrust.h"
#include "Sim/Accessibility/SimElementTree.h"
#include "Sim/Clock/SimScheduler.h"
#include "Sim/WindowServer/SimWindowServer.h"

namespace varnelo::sim {

class SimAccessibility final : public Accessibility {
 public:
  static constexpr Duration kDefaultRoundTrip = std::chrono::microseconds(500);
  static constexpr Duration kDefaultMessagingTimeout = std::chrono::seconds(6);

  // The name of a running process, nullopt when none runs with that pid; any thread.
  using ProcessLookup = std::function<std::optional<std::string>(ProcessId)>;

  // Takes the window server's and the tree's change listeners. Borrows all; they outlive it.
  SimAccessibility(SimScheduler& scheduler, SimWindowServer& windowServer, SimElementTree& tree,
                   SimAccessibilityTrust& trust, ProcessLookup processName);
  ~SimAccessibility() override;
  SimAccessibility(const SimAccessibility&) = delete;
  SimAccessibility& operator=(const SimAccessibility&) = delete;

  AXElement applicationElement(ProcessId pid) override;
  AXReadResult copyAttributeValue(const AXElement& element, const std::string& attribute) override;
  AXMultiReadResult copyMultipleAttributeValues(
      const AXElement& element, const std::vector<std::string>& attributes) override;
  AXError setAttributeValue(const AXElement& element, const std::string& attribute,
                            const AXValue& value) override;
  AXError performAction(const AXElement& element, const std::string& action) override;
  std::variant<std::shared_ptr<AXObserver>, AXError> createObserver(
      ProcessId pid, AXNotificationHandler handler) override;
  std::optional<ProcessId> processIdentifier(const AXElement& element) override;
  AXWindowNumberResult windowNumber(const AXElement& element) override;
  AXError setMessagingTimeout(const AXElement& element, double seconds) override;

  AXElement windowElement(ProcessId pid, WindowNumber number) const;

  // What one call costs its caller while the other process answers.
  void setRoundTrip(Duration roundTrip);

  // Failure switches, each until switched back.
  void setPrivateWindowNumberCallAvailable(bool available);  // off: every call fails
  bool privateWindowNumberCallAvailable() const;
  // AXPosition and AXSize of the window answer `error` (nullopt: readable again).
  void setFrameUnreadable(WindowNumber number, std::optional<AXError> error);
  // Nothing is posted for the window (as a Mac sometimes loses AXUIElementDestroyed).
  void setDropNotifications(WindowNumber number, bool drop);
  // Reads, writes, actions and registrations block for the messaging timeout and answer
  // -25204 until the clock has moved by `duration`: on the elements of `pid` only, or of
  // every process without one.
  void makeUnresponsiveFor(Duration duration, std::optional<ProcessId> pid = std::nullopt);
  // Elements that die while being read: after `reads` more successful reads of the window
  // (root 0: the window and everything in it, which then closes) or of the node `root`
  // and the elements under it (which are then removed), as an application tears a dialog
  // down while another process walks it.
  void tearDownAfterReads(WindowNumber window, NodeId root, int reads);
  // AXPosition reads `offset` away from the window server's frame (as when the two
  // disagree by a shadow or a rounding); {0, 0} ends it.
  void setFrameOffset(WindowNumber number, Point offset);
  void setObserverCreationError(std::optional<AXError> error);
  // Windows that open from now on read subrole "AXUnknown" for `delay` (nullopt: off).
  void setLateSubrole(std::optional<Duration> delay);
  // AXObserverAddNotification answers -25204 for `window` after a process launches
  // (nullopt: off), and for every `n`-th registration of any process (0: off).
  void setRegistrationBusyAfterLaunch(std::optional<Duration> window);
  void setRegistrationFailsEvery(int n);
  // Posts a notification about the window once more, as a Mac sometimes repeats one (a
  // window announced twice, a destruction reported again after the element is gone).
  void postAgain(ProcessId pid, WindowNumber number, const std::string& name);

 private:
  // A resolved element: its process and, for a window element, the window now.
  struct Target {
    ProcessId pid = 0;
    std::optional<SimWindow> window;
    std::optional<SimNode> node;
  };
  struct Countdown {
    WindowNumber window = 0;
    NodeId root = 0;
    int left = 0;
  };

  std::variant<Target, AXError> resolve(const AXElement& element) const;
  // The round trip every call on another process makes: nothing once it is answered,
  // or why not (not trusted, not an element of this tree, no answer in time).
  std::optional<AXError> exchange(const AXElement& element);
  AXReadResult read(const Target& target, const std::string& attribute) const;
  AXReadResult readApplication(ProcessId pid, const std::string& attribute) const;
  AXReadResult readWindow(const SimWindow& window, const std::string& attribute) const;
  AXReadResult readNode(const SimWindow& window, const SimNode& node,
                        const std::string& attribute) const;
  AXValue elementList(ProcessId pid, const std::vector<NodeId>& nodes, bool sheetsOnly) const;
  AXError writeNode(NodeId id, const SimNode& node, const std::string& attribute,
                    const AXValue& value);
  // Counts a successful read against the countdowns and tears down what ran out.
  void noteRead(const SimAXElementRef& element);
  Point offsetOrigin(const SimWindow& window) const;
  AXError writeWindow(const SimWindow& window, const std::string& attribute, const AXValue& value);
  // What every call on an element checks first: trust, a live element, a running process.
  AXError validate(const AXElement& element) const;
  // What a registration checks after validate(): the busy switches.
  AXError admitRegistration(const AXElement& element);
  std::vector<AXElement> windowsOf(ProcessId pid) const;
  WindowNumber focusedWindow(ProcessId pid) const;
  bool isUnresponsive(ProcessId pid) const;
  bool subroleIsUnsettled(WindowNumber number) const;

  void windowChanged(const SimWindowEvent& event);
  void nodeChanged(const SimNodeEvent& event);
  // Records the process's launch and, while the late-subrole switch is on, the window's.
  void noteCreation(const SimWindowEvent& event);
  // Posts `name` about the element to observers of `pid` registered on the application
  // element, and on the element itself too when `onElement`.
  void post(ProcessId pid, WindowNumber number, NodeId node, const std::string& name,
            bool onElement);

  SimScheduler& scheduler_;
  SimWindowServer& windowServer_;
  SimElementTree& tree_;
  SimAccessibilityTrust& trust_;
  ProcessLookup processName_;

  mutable std::mutex mutex_;
  std::vector<std::weak_ptr<SimAXObserver::State>> observers_;
  std::map<ProcessId, WindowNumber> focused_;
  bool privateCallAvailable_ = true;
  std::map<WindowNumber, AXError> frameUnreadable_;
  std::set<WindowNumber> dropped_;
  std::optional<TimePoint> unresponsiveUntil_;
  std::map<ProcessId, TimePoint> processUnresponsiveUntil_;
  std::vector<Countdown> countdowns_;
  Duration roundTrip_ = kDefaultRoundTrip;
  std::map<std::tuple<ProcessId, WindowNumber, NodeId>, Duration> messagingTimeouts_;
  std::map<WindowNumber, Point> frameOffsets_;
  std::optional<AXError> observerCreationError_;
  std::optional<Duration> lateSubrole_;
  std::map<WindowNumber, TimePoint> subroleSettles_;
  std::map<ProcessId, TimePoint> launched_;
  std::optional<Duration> registrationBusyAfterLaunch_;
  int registrationFailsEvery_ = 0;
  int registrations_ = 0;
};

}  // namespace varnelo::sim
