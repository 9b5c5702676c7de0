// libFuzzer target: one input, used as Varnelo's user defaults file on a simulated
// desktop; Varnelo launches, pairs two Finder windows, and quits on SIGTERM. So every
// persisted key (bookmarks, accent preset, terminal, verbose logging, the sidebar wish and
// the collapsed widths, the last macOS version, the previous viewer, the pair) is read
// back, with any type and any content, by the code that reads it. Besides crashes and
// sanitizer reports it checks what a quit promises: Varnelo ended normally, and every key
// it does not own is in the file as it was.
#include <csignal>
#include <cstdint>
#include <fstream>
#include <set>
#include <string>

#include "App/AppCoordinator.h"
#include "App/ApplicationMain.h"
#include "Bookmarks/BookmarkStore.h"
#include "Diagnostics/HealthMonitor.h"
#include "FuzzCheck.h"
#include "Panes/SidebarController.h"
#include "Routing/RevealHandler.h"
#include "Sim/Defaults/PlistFile.h"
#include "Sim/SimDesktop.h"
#include "Support/AppSettings.h"
#include "Support/Log.h"

namespace {

using namespace varnelo;
using namespace std::chrono_literals;

using varnelo::fuzz::check;

const std::set<std::string>& varnelosKeys() {
  static const std::set<std::string> keys{kBookmarksKey,
                                          kUnreadableBookmarksKey,
                                          kAccentPresetKey,
                                          kTerminalBundleIdKey,
                                          kDebugLoggingEnabledKey,
                                          kSidebarWantsHiddenKey,
                                          kCollapsedSidebarWidthsKey,
                                          kLastSeenOSVersionKey,
                                          RevealHandler::kPreviousViewerKey,
                                          AppCoordinator::kWasPairedKey};
  return keys;
}

sim::PlistDictionary othersKeys(const sim::PlistDictionary& all) {
  sim::PlistDictionary others;
  for (const auto& [key, value] : all) {
    if (!varnelosKeys().contains(key)) others.emplace(key, value);
  }
  return others;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  sim::SimDesktop desktop;
  const auto file = desktop.defaults().file();
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  const sim::PlistLoad before = sim::PlistFile::load(file);

  const auto home = desktop.systemInfo().homeDirectory();
  desktop.accessibilityTrust().setTrusted(true);
  desktop.finder().openWindow(home / "Documents", sim::FinderBounds{100, 100, 600, 500});
  desktop.finder().openWindow(home / "Downloads", sim::FinderBounds{700, 100, 1200, 500});
  auto app = runApplication(desktop.ports());
  desktop.virtualClock()->advanceBy(2s);
  app->coordinator().togglePair();
  desktop.virtualClock()->advanceBy(2s);
  desktop.process().deliverSignal(SIGTERM);
  desktop.virtualClock()->advanceBy(2s);
  check(desktop.process().state() == sim::ProcessState{sim::ProcessState::Phase::exited, 0},
        "Varnelo quits normally on SIGTERM");

  if (before.outcome == sim::PlistLoadOutcome::loaded) {
    const sim::PlistLoad after = sim::PlistFile::load(file);
    check(after.outcome == sim::PlistLoadOutcome::loaded, "the defaults file stays readable");
    check(othersKeys(after.dictionary) == othersKeys(before.dictionary),
          "keys Varnelo does not own are left as they were");
  }
  app.reset();
  releaseProcessWideFacilities();
  return 0;
}
