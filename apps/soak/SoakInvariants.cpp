#include "SoakInvariants.h"

#include <fmt/format.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <string_view>

#include "Overlay/OverlayController.h"
#include "Support/Log.h"
#include "Support/LogFile.h"

namespace varnelo::soak {
namespace {

// Soak files hold a few words; anything bigger was not made by the soak.
constexpr std::uintmax_t kLargestSoakFile = 64;

bool windowExists(scenario::ScenarioSession& session, WindowNumber id) {
  return session.desktop().windowServer().window(id).has_value();
}

bool isShown(const Panel* panel) { return panel != nullptr && panel->isVisible(); }

// Varnelo keeps the records of Finder's windows from its quit until its relaunch, when
// it learns which windows came back.
bool finderRuns(scenario::ScenarioSession& session) {
  const auto& finder = session.desktop().finder();
  return finder.isRunning() && !finder.isQuitting();
}

// "HH:MM:SS.mmm [category] message"
bool isLogLine(std::string_view line) {
  constexpr std::string_view kShape = "00:00:00.000 [";
  if (line.size() < kShape.size()) return false;
  for (std::size_t at = 0; at < kShape.size(); ++at) {
    const bool digit = std::isdigit(static_cast<unsigned char>(line[at])) != 0;
    if (kShape[at] == '0' ? !digit : line[at] != kShape[at]) return false;
  }
  const std::size_t close = line.find("] ", kShape.size());
  if (close == std::string_view::npos || close == kShape.size()) return false;
  const auto category = line.substr(kShape.size(), close - kShape.size());
  return std::all_of(category.begin(), category.end(),
                     [](char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; });
}

std::string readAll(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

}  // namespace

void SoakInvariants::expectFiles(const std::vector<std::string>& contents) {
  contents_.insert(contents.begin(), contents.end());
}

std::optional<std::string> SoakInvariants::checkDesktop(scenario::ScenarioSession& session) const {
  if (!session.desktop().process().isRunning()) {
    return "Varnelo ended: " + session.desktop().process().state().toString();
  }
  if (auto broken = checkPair(session)) return broken;
  if (auto broken = checkPanels(session)) return broken;
  const std::size_t pending = session.desktop().virtualClock()->pendingTaskCount();
  if (pending > kMostPendingTasks) {
    return fmt::format("{} tasks pending on the clock (at most {})", pending, kMostPendingTasks);
  }
  return std::nullopt;
}

std::optional<std::string> SoakInvariants::checkPair(scenario::ScenarioSession& session) const {
  auto& coordinator = session.app().coordinator();
  const auto& panes = coordinator.panes();
  if (!panes.isPaired()) return std::nullopt;
  const auto left = panes.leftID();
  const auto right = panes.rightID();
  if (!left || !right || *left == *right) {
    return fmt::format("the pair is {} and {}", left.value_or(0), right.value_or(0));
  }
  // A pane whose end Varnelo learns of leaves the pair with its record. One whose
  // destruction notice was lost (or never registered) keeps its record, and the pair,
  // until Finder is relaunched: the health monitor reports the difference instead.
  for (WindowNumber id : {*left, *right}) {
    if (!findWindow(coordinator.tracker().windows(), id)) {
      return fmt::format("the pair's window {} is not tracked", id);
    }
  }
  return std::nullopt;
}

std::optional<std::string> SoakInvariants::checkPanels(scenario::ScenarioSession& session) const {
  OverlayController* overlays = session.overlays();
  if (!overlays) return std::nullopt;
  for (WindowNumber id : overlays->barWindows()) {
    if (windowExists(session, id)) continue;
    if (isShown(overlays->barPanel(id)) || isShown(overlays->cornerPatch(id))) {
      return fmt::format("a bar is shown for gone window {}", id);
    }
    // A record stays for a closed window whose notices could not be registered; its bar
    // stays hidden with it. A bar without a record is lost.
    const auto& tracked = session.app().coordinator().tracker().windows();
    if (finderRuns(session) && !findWindow(tracked, id)) {
      return fmt::format("a bar is left for gone window {}, which Varnelo does not track", id);
    }
  }
  auto front = session.desktop().workspace().frontmostApplication();
  if (!front || !front->bundleIdentifier) return std::nullopt;
  const std::string varnelo = bundleIdentifierOrDefault(session.desktop().systemInfo());
  if (*front->bundleIdentifier == kFinderBundleIdentifier || *front->bundleIdentifier == varnelo) {
    return std::nullopt;
  }
  for (WindowNumber id : overlays->barWindows()) {
    if (isShown(overlays->barPanel(id)) || isShown(overlays->cornerPatch(id))) {
      return fmt::format("window {}'s bar is shown while {} is in front", id, front->localizedName);
    }
  }
  if (isShown(overlays->stripPanel())) {
    return fmt::format("the centre strip is shown while {} is in front", front->localizedName);
  }
  return std::nullopt;
}

std::optional<std::string> SoakInvariants::checkFiles(scenario::ScenarioSession& session) const {
  const auto home = session.desktop().systemInfo().homeDirectory();
  std::set<std::string> found;
  std::error_code error;
  auto entry = std::filesystem::recursive_directory_iterator(home, error);
  for (; !error && entry != std::filesystem::recursive_directory_iterator();
       entry.increment(error)) {
    if (entry->path().filename() == "Library") {
      entry.disable_recursion_pending();
      continue;
    }
    if (entry->is_regular_file(error) && entry->file_size(error) <= kLargestSoakFile) {
      found.insert(readAll(entry->path()));
    }
  }
  if (error) return "the home folder cannot be read: " + error.message();
  for (const auto& contents : contents_) {
    if (!found.contains(contents)) return fmt::format("no file holds \"{}\" any more", contents);
  }
  return std::nullopt;
}

std::optional<std::string> SoakInvariants::checkLog(scenario::ScenarioSession& session) const {
  session.settle();  // the lines queued for the file are written
  const auto current = logFileIn(session.desktop().systemInfo().homeDirectory());
  const auto previous = current.parent_path() / "varnelo.1.log";
  for (const auto& path : {previous, current}) {
    if (!std::filesystem::exists(path)) continue;
    const std::string text = readAll(path);
    if (!text.empty() && text.back() != '\n') return path.string() + " ends inside a line";
    std::size_t start = 0;
    for (int number = 1; start < text.size(); ++number) {
      const std::size_t end = text.find('\n', start);
      const std::string line = text.substr(start, end - start);
      if (!isLogLine(line)) {
        return fmt::format("{}:{} is not a log line: {}", path.string(), number, line);
      }
      start = end + 1;
    }
  }
  return std::nullopt;
}

}  // namespace varnelo::soak
