#include "Sim/Accessibility/SimAccessibility.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Sim/Accessibility/FrameConstraints.h"
#include "Sim/Accessibility/SimAXElement.h"
#include "Sim/SimDesktop.h"
#include "TestSupport/AXReading.h"
#include "TestSupport/TempDir.h"
#include "TestSupport/TestDesktop.h"

namespace varnelo::sim {
namespace {

using namespace std::chrono_literals;
using ::testing::ElementsAre;

class SimAccessibilityTest : public ::testing::Test {
 protected:
  SimAccessibilityTest() { desktop.accessibilityTrust().setTrusted(true); }

  SimAccessibility& ax() { return desktop.accessibility(); }
  ProcessId finderPid() { return desktop.finder().pid(); }
  AXElement app() { return ax().applicationElement(finderPid()); }
  AXElement element(WindowNumber number) { return ax().windowElement(finderPid(), number); }
  WindowNumber open(const char* folder, FinderBounds bounds = {100, 100, 600, 500}) {
    auto number = static_cast<WindowNumber>(
        desktop.finder().openWindow(home.path() / "Documents", bounds, folder));
    labels[number] = folder;
    return number;
  }

  AXValue value(const AXElement& element, const std::string& attribute) {
    return test::readOrFail(ax(), element, attribute);
  }
  std::string text(const AXElement& element, const std::string& attribute) {
    auto read = value(element, attribute);
    return read.as<std::string>() ? *read.as<std::string>() : "?";
  }
  AXError error(const AXReadResult& result) {
    auto* error = std::get_if<AXError>(&result);
    return error ? *error : AXError::success;
  }
  // The labels of a list of window elements.
  std::vector<std::string> names(const AXValue& list) {
    std::vector<std::string> names;
    for (const auto& item : *list.as<AXValueList>()) names.push_back(label(*item.as<AXElement>()));
    return names;
  }
  std::string label(const AXElement& element) {
    auto number = simElement(element)->window;
    return labels.contains(number) ? labels[number] : std::to_string(number);
  }

  // An attached observer of Finder that records "notification label".
  std::shared_ptr<AXObserver> observe(const std::vector<std::pair<AXElement, std::string>>& on) {
    auto created = ax().createObserver(
        finderPid(),
        [this](const AXElement& e, const std::string& n) { events.push_back(n + " " + label(e)); });
    auto observer = std::get<std::shared_ptr<AXObserver>>(created);
    for (const auto& [element, name] : on)
      EXPECT_EQ(observer->addNotification(element, name), AXError::success);
    observer->attachToMainRunLoop();
    return observer;
  }
  void runUntilIdle() { desktop.virtualClock()->runUntilIdle(); }

  test::TempDir home;
  SimDesktop desktop{test::optionsWithHome(home.path())};
  std::map<WindowNumber, std::string> labels;
  std::vector<std::string> events;
};

TEST_F(SimAccessibilityTest, findersTreeDescribesEachKindOfWindowFrontToBack) {
  // Catches a desktop window missing from Finder's windows or not a scroll area, browser
  // windows without their identifier, the Quick Look panel or a dialog described
  // as a standard window, elements that hash apart when obtained twice, or a focused
  // window taken from a floating panel. (What the tracker reads: WindowTrackerTest.)
  labels[desktop.finder().desktopWindow()] = "desktop";
  WindowNumber docs = open("docs");
  WindowNumber dialog = desktop.finder().showDialog("Connect", {200, 200, 400, 300});
  labels[dialog] = "dialog";
  desktop.finder().setQuickLookLayer(8);
  WindowNumber quickLook = desktop.finder().showQuickLook(SimFinder::QuickLookSize::small);
  labels[quickLook] = "quicklook";
  auto panel = *desktop.windowServer().window(quickLook);
  EXPECT_EQ(panel.layer, 8);
  EXPECT_LT(panel.frame.width * panel.frame.height, 10000);

  EXPECT_THAT(names(value(app(), "AXWindows")),
              ElementsAre("quicklook", "dialog", "docs", "desktop"));
  EXPECT_EQ(label(*value(app(), "AXFocusedWindow").as<AXElement>()), "dialog");
  EXPECT_EQ(text(element(docs), "AXIdentifier"), "FinderWindow");
  EXPECT_EQ(*value(element(docs), "AXParent").as<AXElement>(), app());
  EXPECT_EQ(element(docs).hash(), element(docs).hash());
  EXPECT_EQ(text(element(dialog), "AXSubrole"), "AXDialog");
  EXPECT_EQ(text(element(quickLook), "AXSubrole"), "Quick Look");
  AXElement desktopWindow = element(desktop.finder().desktopWindow());
  EXPECT_EQ(text(desktopWindow, "AXRole"), "AXScrollArea");
  EXPECT_EQ(text(desktopWindow, "AXTitle"), "");
}

TEST_F(SimAccessibilityTest, errorsAreThePlatformsCodes) {
  // Catches an untrusted process that can still read or observe, a closed window that
  // still answers, a process that does not run answering as if it did, or one bad
  // attribute failing a whole multi-attribute read.
  WindowNumber docs = open("docs");
  desktop.accessibilityTrust().setTrusted(false);
  EXPECT_EQ(error(ax().copyAttributeValue(element(docs), "AXTitle")), AXError::apiDisabled);
  auto refused = ax().createObserver(finderPid(), [](const AXElement&, const std::string&) {});
  EXPECT_EQ(std::get<AXError>(refused), AXError::apiDisabled);
  desktop.accessibilityTrust().setTrusted(true);

  auto multi =
      ax().copyMultipleAttributeValues(element(docs), {"AXTitle", "AXNoSuch", "AXMinimized"});
  const auto& entries = std::get<AXValueList>(multi);
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(*entries[1].as<AXError>(), AXError::attributeUnsupported);
  EXPECT_EQ(*entries[2].as<bool>(), false);

  auto observer = observe({});
  desktop.finder().close(static_cast<int>(docs));
  EXPECT_EQ(error(ax().copyAttributeValue(element(docs), "AXTitle")), AXError::invalidUIElement);
  EXPECT_EQ(observer->addNotification(element(docs), "AXWindowMoved"), AXError::invalidUIElement);
  EXPECT_EQ(error(ax().copyAttributeValue(ax().applicationElement(9999), "AXWindows")),
            AXError::cannotComplete);
  EXPECT_EQ(error(ax().copyAttributeValue(app(), "AXFocusedWindow")), AXError::noValue)
      << "the desktop window is never the focused one";
}

TEST_F(SimAccessibilityTest, everyCallIsARoundTripAndABusyProcessHoldsTheCallerUntilItsTimeout) {
  // Catches calls that cost the main thread nothing, a busy Finder that answers at once
  // instead of stalling its caller for the messaging timeout, or a refused timeout
  // accepted. (Frame offsets: frame-tolerance.scn; a busy Finder met by the tracker:
  // late-windows.scn.)
  WindowNumber docs = open("docs");
  auto clock = [this] { return desktop.scheduler().now(); };
  auto start = clock();
  (void)value(element(docs), "AXTitle");
  (void)ax().windowNumber(element(docs));
  EXPECT_EQ(clock() - start, 2 * SimAccessibility::kDefaultRoundTrip);

  ax().makeUnresponsiveFor(10s);
  EXPECT_EQ(ax().setMessagingTimeout(element(docs), -1), AXError::illegalArgument);
  start = clock();
  EXPECT_EQ(ax().performAction(app(), "AXRaise"), AXError::cannotComplete);
  EXPECT_EQ(clock() - start, SimAccessibility::kDefaultMessagingTimeout);
}

TEST_F(SimAccessibilityTest, writesMoveTheWindowEverywhereAndNotifyAsAUserMoveDoes) {
  // Catches a write that Finder's scripting does not see, notifications posted inline or
  // for an unchanged frame, or a raise without a focus change.
  WindowNumber back = open("back");
  open("front", {300, 300, 700, 600});
  auto observer = observe({{element(back), "AXWindowMoved"},
                           {element(back), "AXWindowResized"},
                           {app(), "AXFocusedWindowChanged"}});

  EXPECT_EQ(ax().setAttributeValue(element(back), "AXPosition", {Point{100, 100}}),
            AXError::success);
  EXPECT_EQ(ax().setAttributeValue(element(back), "AXPosition", {Point{200, 125}}),
            AXError::success);
  EXPECT_TRUE(events.empty()) << "delivered on the main queue, never inline";
  EXPECT_EQ(desktop.finder().window(static_cast<int>(back))->bounds,
            (FinderBounds{200, 125, 700, 525}));
  for (int i = 0; i < 2; ++i) ax().setAttributeValue(element(back), "AXSize", {Size{640, 480}});

  EXPECT_EQ(ax().performAction(element(back), "AXRaise"), AXError::success);
  EXPECT_EQ(desktop.finder().windows().front().id, static_cast<int>(back));
  runUntilIdle();
  EXPECT_THAT(events, ElementsAre("AXWindowMoved back", "AXWindowResized back",
                                  "AXFocusedWindowChanged back"));
}

TEST_F(SimAccessibilityTest, writtenSizesFitTheWindowsScreenSoSizePositionSizeIsNeeded) {
  // Catches a size not limited to the display (the size-position-size order would not
  // matter), a limit without a display, or a fractional size kept. (Another screen's
  // visible frame: pair-screens.scn.)
  WindowNumber docs = open("docs", {900, 100, 1400, 500});
  auto frame = [&] { return desktop.windowServer().window(docs)->frame; };
  auto write = [&](const char* attribute, AXValue value) {
    EXPECT_EQ(ax().setAttributeValue(element(docs), attribute, value), AXError::success);
  };
  write("AXSize", {Size{1100, 400}});
  EXPECT_EQ(frame(), (Rect{900, 100, 540, 400})) << "clamped at the right edge";
  write("AXSize", {Size{1100, 400}});
  write("AXPosition", {Point{100, 100}});
  write("AXSize", {Size{1100, 400}});
  EXPECT_EQ(frame(), (Rect{100, 100, 1100, 400}));
  write("AXSize", {Size{640.4, 480.6}});
  EXPECT_EQ(frame().size(), (Size{640, 481}));

  ASSERT_TRUE(desktop.setScreens({}));
  write("AXSize", {Size{3000, 3000}});
  EXPECT_EQ(frame().size(), (Size{3000, 3000})) << "no display limits nothing";
}

TEST_F(SimAccessibilityTest, writtenPositionsStayBelowAMenuBarAndWithinReachOfAScreen) {
  // Catches a window written above the menu bar or out of reach, or the upper screen's
  // menu bar ignored. (Panes on a screen above the primary: pair-screens.scn.)
  WindowNumber docs = open("docs");
  auto origin = [&](Point asked) {
    ax().setAttributeValue(element(docs), "AXPosition", {asked});
    return desktop.windowServer().window(docs)->frame.origin();
  };
  const double reach = FrameConstraints::kReachable;
  EXPECT_EQ(origin({100, -300}), (Point{100, 25})) << "pushed below the menu bar";
  EXPECT_EQ(origin({5000, 5000}), (Point{1440 - reach, 900 - reach}));
  EXPECT_EQ(origin({-2000, 300.5}), (Point{reach - 500, 300.5}));

  SimScreen above{{0, -1080, 1920, 1080}, 25, DockSide::none, 0};
  ASSERT_TRUE(desktop.setScreens({SimScreen{}, above}));
  EXPECT_EQ(origin({100, -1070}), (Point{100, -1055})) << "below the upper screen's menu bar";
}

TEST_F(SimAccessibilityTest, observersHearOnlyWhileAttachedRegisteredAndAlive) {
  // Catches a double registration accepted, a removal of nothing accepted, delivery while
  // detached or after the observer is gone, window notifications not reaching a
  // registration on the application element, or another process's element accepted.
  // (Unannounced navigation: path-refresh.scn.)
  WindowNumber docs = open("docs");
  auto observer = observe({{app(), "AXTitleChanged"}, {app(), "AXWindowCreated"}});
  EXPECT_EQ(observer->addNotification(app(), "AXTitleChanged"),
            AXError::notificationAlreadyRegistered);
  EXPECT_EQ(observer->removeNotification(element(docs), "AXTitleChanged"),
            AXError::notificationNotRegistered);
  ProcessId varnelo = desktop.systemInfo().processId();
  EXPECT_EQ(observer->addNotification(ax().applicationElement(varnelo), "AXWindowCreated"),
            AXError::illegalArgument);

  desktop.finder().setTarget(static_cast<int>(docs), home.path() / "Downloads");
  runUntilIdle();
  observer->detachFromMainRunLoop();
  desktop.finder().setTarget(static_cast<int>(docs), home.path() / "Desktop");
  runUntilIdle();
  observer->attachToMainRunLoop();
  labels[static_cast<WindowNumber>(desktop.finder().openWindow(home.path()))] = "home";
  observer.reset();
  runUntilIdle();
  EXPECT_THAT(events, ElementsAre("AXTitleChanged docs"));
}

}  // namespace
}  // namespace varnelo::sim
