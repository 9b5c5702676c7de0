// Window-number resolution on the simulated desktop: the private call, the frame match
// against the window server's list, the stacking-order tie-break and the cross-check.
#include "AX/WindowIdentityResolver.h"

#include <gtest/gtest.h>

#include "TestSupport/CountingAccessibility.h"
#include "TestSupport/FinderDesktop.h"

namespace varnelo {
namespace {

using Strategy = WindowIdentityResolver::Strategy;

class WindowIdentityResolverTest : public test::FinderDesktop {
 protected:
  WindowIdentityResolver resolverWithoutPrivateCall() {
    WindowIdentityResolver resolver(desktop_.accessibility(), desktop_.windowServer());
    resolver.usesPrivateAPI = false;
    return resolver;
  }
  // The window server reports `number` at `frame` while accessibility keeps its own.
  void listBoundsAs(WindowNumber number, Rect frame) {
    desktop_.windowServer().overrideEntryField(
        number, WindowKey::bounds,
        WindowListDictionary{
            {"X", frame.x}, {"Y", frame.y}, {"Width", frame.width}, {"Height", frame.height}});
  }

  WindowIdentityResolver resolver_{desktop_.accessibility(), desktop_.windowServer()};
};

TEST_F(WindowIdentityResolverTest, privateAnswersAreCrossCheckedAndOnlyTheFirstMismatchLogged) {
  // Catches a mismatch log on every window, a wrong summary rate, or the private answer
  // dropped in favour of the fallback.
  std::vector<bool> privateResults;
  resolver_.onPrivateAPIResult = [&](bool ok) { privateResults.push_back(ok); };
  auto a = openWindow("Documents", {100, 100, 500, 400});
  auto b = openWindow("Downloads", {200, 150, 500, 400});
  auto c = openWindow("Desktop", {300, 200, 500, 400});
  auto d = openWindow("Library", {400, 250, 500, 400});
  desktop_.accessibility().setFrameUnreadable(d, AXError::cannotComplete);
  auto e = openWindow("Documents", {500, 300, 500, 400});
  listBoundsAs(e, {600, 300, 500, 400});

  for (auto number : {a, b, c}) EXPECT_EQ(resolver_.resolve(element(number), finderPID()), number);
  EXPECT_EQ(resolver_.verificationSummary(), "一致 3 / 不一致 0（100%）");
  EXPECT_EQ(resolver_.resolve(element(d), finderPID()), d);
  EXPECT_EQ(resolver_.lastStrategy(), Strategy::privateAPI);
  EXPECT_EQ(resolver_.verificationSummary(), "一致 3 / 不一致 1（75%）");
  EXPECT_EQ(resolver_.resolve(element(e), finderPID()), e);
  EXPECT_EQ(privateResults, std::vector<bool>(5, true));
  EXPECT_EQ(logCount("identity", "⚠️ 代替経路が解決できず（期待値 " +
                                     std::to_string(d) + "）"),
            1u);
  EXPECT_EQ(logCount("identity", "⚠️ "), 1u);
}

TEST_F(WindowIdentityResolverTest, windowsSharingTheFrameOffScreenNeverTakeAnotherOnesNumber) {
  // Catches a tab that is not selected counted by the stacking-order pairing, so that a
  // window gets the number of the one behind it. (A minimised window sharing the frame,
  // ties settled by stacking order, the two-point tolerance: window-stacks.scn,
  // frame-tolerance.scn.)
  auto resolver = resolverWithoutPrivateCall();
  Rect frame{100, 100, 500, 400};
  auto back = openWindow("Documents", frame);
  auto parked = openWindow("Desktop", frame);
  auto front = openWindow("Downloads", frame);
  desktop_.windowServer().setMinimised(parked, true);

  // Accessibility cannot tell the selected tab from the others: only the main window is
  // known while a tab that is not selected shares the frame.
  auto tab = desktop_.finder().openTab(front, home() / "Library");
  EXPECT_EQ(resolver.resolve(element(tab), finderPID()), tab);
  for (auto other : {front, parked, back})
    EXPECT_EQ(resolver.resolve(element(other), finderPID()), std::nullopt);
  EXPECT_EQ(logCount("identity", "z 順序でも曖昧: 候補 2 件 → 解決を断念"), 3u);

  auto lone = openWindow("Documents", {700, 100, 500, 400});
  auto loneTab = desktop_.finder().openTab(lone, home() / "Desktop");
  openWindow("Downloads", {0, 0, 300, 300});  // now neither tab is the main window
  EXPECT_EQ(resolver.resolve(element(lone), finderPID()), std::nullopt);
  EXPECT_EQ(resolver.resolve(element(loneTab), finderPID()), std::nullopt);
}

TEST_F(WindowIdentityResolverTest, entriesWithBrokenFieldsAreNoCandidates) {
  // Catches a number past 32 bits or a layer of another type taken as a candidate. (A
  // minimised window sharing another's frame: window-stacks.scn.)
  auto resolver = resolverWithoutPrivateCall();
  auto broken = openWindow("Downloads", {300, 100, 500, 400});
  desktop_.windowServer().overrideEntryField(broken, WindowKey::number,
                                             std::int64_t{broken} + (std::int64_t{1} << 32));
  EXPECT_EQ(resolver.resolve(element(broken), finderPID()), std::nullopt);
  desktop_.windowServer().clearEntryOverrides(broken);
  desktop_.windowServer().overrideEntryField(broken, WindowKey::layer, std::string("0"));
  EXPECT_EQ(resolver.resolve(element(broken), finderPID()), std::nullopt);
  desktop_.windowServer().clearEntryOverrides(broken);
  EXPECT_EQ(resolver.resolve(element(broken), finderPID()), broken);
}

TEST_F(WindowIdentityResolverTest, roundTripsPerResolution) {
  // Catches extra inter-process calls: each costs a round trip to Finder on a Mac.
  test::CountingAccessibility counting(desktop_.accessibility());
  WindowIdentityResolver resolver(counting, desktop_.windowServer());
  auto back = openWindow("Documents", {100, 100, 500, 400});
  auto front = openWindow("Downloads", {100, 100, 500, 400});
  auto apart = openWindow("Desktop", {400, 300, 500, 400});

  resolver.resolve(element(apart), finderPID());
  EXPECT_EQ(counting.calls(), 2);  // the private call, then the frame (one read) to verify
  counting.reset();
  resolver.resolve(element(apart), finderPID(), Rect{400, 300, 500, 400});
  EXPECT_EQ(counting.calls(), 1) << "a frame just read is not read again to verify";
  counting.reset();
  resolver.verifyFallback = false;
  resolver.resolve(element(back), finderPID());
  EXPECT_EQ(counting.calls(), 1);
  counting.reset();
  resolver.usesPrivateAPI = false;
  resolver.resolve(element(front), finderPID());
  // The frame in one read; the tie-break lists the windows and reads the frame and the
  // minimised flag of each of the four in one read (the desktop is one of Finder's
  // windows too).
  EXPECT_EQ(counting.calls(), 1 + 1 + 4);
}

}  // namespace
}  // namespace varnelo
