#include "SoakScript.h"

#include <fmt/format.h>
#include <algorithm>
#include <array>

namespace varnelo::soak {
namespace {

constexpr std::array<const char*, 7> kFolders{
    "~/Soak/A",    "~/Soak/B",    "~/Soak/A/Inner",         "~/Soak/C",
    "~/Documents", "~/Downloads", "~/Volumes/External/Soak"};
constexpr int kFilesPerFolder = 3;
constexpr std::size_t kMostFinderWindows = 6;
constexpr int kMostMadeFiles = 200;
constexpr std::array<const char*, 8> kStripButtons{
    "copy-right", "copy-left", "move-right", "move-left", "sync", "swap", "sidebar", "expand"};
// Apple event errors a Mac answers with: not running, timed out, not permitted, busy.
constexpr std::array<const char*, 4> kScriptErrors{"-600", "-1712", "-1743", "-609"};

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

}  // namespace

SoakScript::SoakScript(std::uint64_t seed, double faultShare)
    : random_(seed), faultShare_(std::clamp(faultShare, 0.0, 1.0)) {}

std::vector<std::string> SoakScript::setup() const {
  std::vector<std::string> lines{"screen 1440x900 dock bottom 64"};
  int file = 0;
  for (const char* folder : kFolders) {
    lines.push_back(fmt::format("make folder {}", folder));
    for (int n = 0; n < kFilesPerFolder; ++n, ++file) {
      lines.push_back(fmt::format("make file {}/f{}.txt \"soak {}\"", folder, file, file));
    }
  }
  lines.insert(
      lines.end(),
      {"accessibility grant", "finder window A folder ~/Soak/A at 100,100 size 600x420 as w1",
       "finder window B folder ~/Soak/B at 720,120 size 600x420 as w2",
       "app TextEdit window at 200,200 size 700x500 titled Notes as t1", "launch", "wait 2s"});
  return lines;
}

std::vector<std::string> SoakScript::setupFileContents() const {
  std::vector<std::string> contents;
  for (int file = 0; file < static_cast<int>(kFolders.size()) * kFilesPerFolder; ++file) {
    contents.push_back(fmt::format("soak {}", file));
  }
  return contents;
}

std::vector<std::string> SoakScript::step(scenario::ScenarioSession& session, std::int64_t index) {
  newFiles_.clear();
  std::vector<std::string> lines;
  auto due = std::stable_partition(undos_.begin(), undos_.end(),
                                   [index](const Undo& undo) { return undo.step > index; });
  for (auto undo = due; undo != undos_.end(); ++undo) lines.push_back(undo->line);
  undos_.erase(due, undos_.end());

  if (chance(faultShare_)) {
    injectFault(session, lines, index);
  } else {
    act(session, lines);
  }
  // Mostly the short pauses between a person's actions, sometimes long enough for every
  // poll and retry to run.
  int millis = chance(0.1) ? number(2000, 8000) : number(20, 900);
  lines.push_back(fmt::format("wait {}ms", millis));
  return lines;
}

void SoakScript::act(scenario::ScenarioSession& session, std::vector<std::string>& lines) {
  auto labels = finderLabels(session);
  auto dialogs = openDialogs(session);
  const std::string window = labels.empty() ? "w1" : pick(labels);
  switch (number(0, 27)) {
    case 0:
    case 1:
      if (labels.size() < kMostFinderWindows) {
        lines.push_back(fmt::format("finder window W{} folder {} at {} as w{}", nextWindow_,
                                    randomFolder(), frame(), nextWindow_));
        ++nextWindow_;
      }
      break;
    case 2:
      lines.push_back("finder close " + window);
      break;
    case 3:
      lines.push_back(
          fmt::format("finder move {} to {},{}", window, number(0, 900), number(30, 500)));
      break;
    case 4:
      lines.push_back(
          fmt::format("finder resize {} {}x{}", window, number(250, 900), number(200, 700)));
      break;
    case 5:
      lines.push_back(
          fmt::format("finder drag {} to {},{}", window, number(0, 900), number(30, 500)));
      break;
    case 6: {
      static const std::vector<std::string> kEdges{"right", "bottom", "corner"};
      lines.push_back(fmt::format("finder drag {} edge {} by {},{}", window, pick(kEdges),
                                  number(-150, 150), number(-120, 120)));
      break;
    }
    case 7:
      lines.push_back("finder zoom " + window);
      break;
    case 8:
      lines.push_back("finder minimise " + window);
      break;
    case 9:
      lines.push_back("finder restore " + window);
      break;
    case 10:
      lines.push_back("finder focus " + window);
      break;
    case 11:
    case 12:
      lines.push_back(fmt::format("finder navigate {} {}{}", window, randomFolder(),
                                  chance(0.5) ? " announced" : ""));
      break;
    case 13:
    case 14:
      if (auto items = someItems(session); !items.empty()) {
        lines.push_back("finder select " + items);
      }
      break;
    case 15:
      lines.push_back("panes toggle");
      break;
    case 16:
    case 17:
      lines.push_back(std::string("strip press ") +
                      kStripButtons[static_cast<std::size_t>(number(0, kStripButtons.size() - 1))]);
      break;
    case 18:
      lines.push_back(fmt::format("show in finder {}/f{}.txt", randomFolder(),
                                  number(0, static_cast<int>(kFolders.size()) * kFilesPerFolder)));
      break;
    case 19:
      if (dialogs.empty()) {
        lines.push_back(fmt::format("app TextEdit save sheet on t1 folder {} as d{}",
                                    randomFolder(), nextDialog_++));
      } else {
        lines.push_back(fmt::format("dialog {} navigate {}", pick(dialogs), randomFolder()));
      }
      break;
    case 20:
      if (!dialogs.empty()) {
        static const std::vector<std::string> kEnds{"close", "navigate ~/Soak/C"};
        lines.push_back(fmt::format("dialog {} {}", pick(dialogs), pick(kEnds)));
      } else {
        lines.push_back(fmt::format("app Preview open dialog at {} folder {} as d{}", frame(),
                                    randomFolder(), nextDialog_++));
      }
      break;
    case 21:
      lines.push_back("app window t1 front");
      break;
    case 22:
      lines.push_back(chance(0.5) ? "quicklook show" : "quicklook hide");
      break;
    case 23:
      lines.push_back(chance(0.6) ? "finder quit" : "finder relaunch");
      break;
    case 24:
      lines.push_back(chance(0.5) ? "accessibility deny" : "accessibility grant");
      break;
    case 25: {
      static const std::vector<std::string> kScreens{
          "screen 2 1280x800 at 1440,0 menubar 25", "screen 2 1920x1080 at -1920,-100",
          "screen 2 1280x800 at 0,-800 menubar 25", "screen 2 remove",
          "screen 1440x900 dock bottom 64",         "screen 1680x1050 dock left 70"};
      lines.push_back(pick(kScreens));
      break;
    }
    case 26: {
      if (nextFile_ >= kMostMadeFiles) break;
      const int made = nextFile_++;
      const std::string contents = fmt::format("made {}", made);
      lines.push_back(
          fmt::format("make file {}/m{}.txt {}", randomFolder(), made, quoted(contents)));
      newFiles_.push_back(contents);
      break;
    }
    default:
      lines.push_back("panes expand");
      break;
  }
}

void SoakScript::injectFault(scenario::ScenarioSession& session, std::vector<std::string>& lines,
                             std::int64_t index) {
  auto labels = finderLabels(session);
  const std::string window = labels.empty() ? "w1" : pick(labels);
  switch (number(0, 15)) {
    case 12: {
      static const std::vector<std::string> kFields{"number",   "layer", "owner", "bounds",
                                                    "onscreen", "alpha", "name"};
      lines.push_back(fmt::format("window list {} missing {}", window, pick(kFields)));
      undoLater(index + number(1, 15), fmt::format("window list {} whole", window));
      break;
    }
    case 13:
      lines.push_back("window list fails next");
      break;
    case 14:
      lines.push_back("defaults saving fails");
      undoLater(index + number(1, 30), "defaults saving works");
      break;
    case 15: {
      static const std::vector<std::string> kNotices{"AXWindowCreated", "AXMoved", "AXResized",
                                                     "AXTitleChanged", "AXFocusedWindowChanged"};
      lines.push_back(fmt::format("accessibility notices {} again {}", window, pick(kNotices)));
      break;
    }
    case 0:
    case 1:
      lines.push_back(fmt::format(
          "finder fail next {} scripts {}", number(1, 4),
          kScriptErrors[static_cast<std::size_t>(number(0, kScriptErrors.size() - 1))]));
      break;
    case 2:
      lines.push_back(fmt::format("finder slow {}ms", number(100, 3000)));
      undoLater(index + number(2, 20), "finder slow 0s");
      break;
    case 3:
      // Longer than any wait for a reply: the script stalls.
      lines.push_back("finder slow 200s");
      undoLater(index + number(1, 6), "finder slow 0s");
      break;
    case 4:
      lines.push_back(fmt::format("accessibility busy {}ms", number(200, 4000)));
      break;
    case 5:
      lines.push_back(fmt::format("accessibility frame {} unreadable", window));
      undoLater(index + number(1, 15), fmt::format("accessibility frame {} readable", window));
      break;
    case 6:
      lines.push_back("accessibility private off");
      undoLater(index + number(3, 40), "accessibility private on");
      break;
    case 7:
      lines.push_back(fmt::format("accessibility notices {} dropped", window));
      undoLater(index + number(1, 20), fmt::format("accessibility notices {} delivered", window));
      break;
    case 8:
      lines.push_back(chance(0.5) ? "finder quit dropping" : "finder quit notices last");
      undoLater(index + number(1, 10), "finder relaunch");
      break;
    case 9:
      if (auto dialogs = openDialogs(session); !dialogs.empty()) {
        lines.push_back(fmt::format("dialog {} dies after {} reads", pick(dialogs), number(1, 6)));
      } else {
        lines.push_back(fmt::format("app TextEdit busy for {}ms", number(200, 3000)));
      }
      break;
    case 10:
      lines.push_back("accessibility deny");
      undoLater(index + number(1, 10), "accessibility grant");
      break;
    default:
      lines.push_back(fmt::format("accessibility subrole late {}ms", number(100, 1500)));
      undoLater(index + 1, "accessibility subrole late off");
      break;
  }
}

void SoakScript::undoLater(std::int64_t index, std::string line) {
  undos_.push_back({index, std::move(line)});
}

int SoakScript::number(int low, int high) {
  return std::uniform_int_distribution<int>(low, high)(random_);
}

bool SoakScript::chance(double share) { return std::bernoulli_distribution(share)(random_); }

std::vector<std::string> SoakScript::finderLabels(scenario::ScenarioSession& session) const {
  auto& labels = session.windowLabels();
  std::vector<std::string> open;
  for (const auto& window : session.desktop().finder().windows()) {
    if (!window.target.folder) continue;
    auto named = std::find_if(labels.begin(), labels.end(),
                              [&](const auto& entry) { return entry.second == window.number; });
    // Windows Finder opened by itself (a relaunch, a reveal) get a label of their own.
    if (named == labels.end()) {
      named = labels.emplace("f" + std::to_string(window.number), window.number).first;
    }
    open.push_back(named->first);
  }
  std::sort(open.begin(), open.end());
  return open;
}

std::vector<std::string> SoakScript::openDialogs(scenario::ScenarioSession& session) const {
  std::vector<std::string> open;
  auto dialogs = session.desktop().fileDialogs().openDialogs();
  for (const auto& [label, id] : session.dialogLabels()) {
    if (std::any_of(dialogs.begin(), dialogs.end(),
                    [id = id](const auto& dialog) { return dialog.id == id; })) {
      open.push_back(label);
    }
  }
  return open;
}

std::string SoakScript::randomFolder() {
  return kFolders[static_cast<std::size_t>(number(0, kFolders.size() - 1))];
}

std::string SoakScript::frame() {
  return fmt::format("{},{} size {}x{}", number(0, 800), number(30, 400), number(300, 800),
                     number(240, 600));
}

std::string SoakScript::someItems(scenario::ScenarioSession& session) {
  auto windows = session.desktop().finder().windows();
  if (windows.empty() || !windows.front().target.folder) return {};
  std::vector<std::filesystem::path> items;
  std::error_code error;
  for (const auto& entry :
       std::filesystem::directory_iterator(*windows.front().target.folder, error)) {
    items.push_back(entry.path());
  }
  if (items.empty()) return {};
  std::sort(items.begin(), items.end());
  std::shuffle(items.begin(), items.end(), random_);
  items.resize(std::min<std::size_t>(items.size(), static_cast<std::size_t>(number(1, 3))));
  std::string text;
  for (const auto& item : items) text += (text.empty() ? "" : " ") + quoted(item.string());
  return text;
}

}  // namespace varnelo::soak
