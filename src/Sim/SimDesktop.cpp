#include "Sim/SimDesktop.h"

#include <cstdlib>
#include <fstream>
#include <system_error>
#include <utility>

namespace varnelo::sim {
namespace {

std::filesystem::path makeTemporaryHome() {
  std::error_code error;
  auto base = std::filesystem::temp_directory_path(error);
  if (error) base = "/tmp";
  auto pattern = (base / "varnelo-home-XXXXXX").string();
  if (::mkdtemp(pattern.data())) return pattern;
  // The desktop still runs: this folder is made later if it can be, and if not the
  // defaults fail to save as they would on a read-only disk.
  return base / "varnelo-home-unavailable";
}

constexpr const char* kExternalVolume = "Volumes/External";

// The folders every macOS home has from the first login, and the second volume; a
// failure is left to the services that need them.
void addStandardFolders(const std::filesystem::path& home) {
  for (const char* folder : {"Desktop", "Documents", "Downloads", "Library/Preferences",
                             "Library/Logs", kExternalVolume}) {
    std::error_code error;
    std::filesystem::create_directories(home / folder, error);
  }
  const auto privacy = home / kPrivacyDatabase;
  std::error_code error;
  std::filesystem::create_directories(privacy.parent_path(), error);
  if (!std::filesystem::exists(privacy, error)) std::ofstream(privacy) << "SQLite format 3";
}

}  // namespace

SimDesktop::OwnedFolder::~OwnedFolder() {
  if (!removeOnDestruction || path.empty()) return;
  std::error_code error;
  std::filesystem::remove_all(path, error);
}

SimDesktop::SimDesktop() : SimDesktop(Options{}) {}

SimDesktop::SimDesktop(Options options) : random_(options.seed) {
  home_.removeOnDestruction = options.home.empty();
  home_.path = home_.removeOnDestruction ? makeTemporaryHome() : std::move(options.home);
  addStandardFolders(home_.path);

  if (options.clock == ClockMode::realTime) {
    auto scheduler = std::make_unique<RealTimeScheduler>();
    realTimeLoop_ = &scheduler->loop();
    scheduler_ = std::move(scheduler);
  } else {
    auto clock = std::make_unique<VirtualScheduler>(options.wallStart);
    virtualClock_ = clock.get();
    scheduler_ = std::move(clock);
  }

  systemLog_ = std::make_unique<SimSystemLog>();
  SystemFacts facts;
  facts.osVersion = options.osVersion;
  facts.homeDirectory = home_.path;
  facts.preferredLanguages = std::move(options.languages);
  facts.stdoutIsTerminal = options.stdoutIsTerminal;
  facts.processId = options.varneloPid;
  systemInfo_ = std::make_unique<SimSystemInfo>(std::move(facts));

  auto notice = [log = systemLog_.get()](const std::string& message) {
    log->logDefault("cfprefsd", "defaults", message);
  };
  defaults_ = std::make_unique<SimUserDefaults>(home_.path, notice);
  globalDefaults_ = std::make_unique<SimGlobalDefaults>(home_.path, notice);
  accessibilityTrust_ = std::make_unique<SimAccessibilityTrust>();
  files_ = std::make_unique<SimFileAccess>(home_.path);
  workspace_ = std::make_unique<SimWorkspace>(*scheduler_, options.varneloPid,
                                              systemInfo_->bundleIdentifier());
  auto* workspace = workspace_.get();
  automation_ =
      std::make_unique<SimAutomationPermission>([workspace](const std::string& bundleIdentifier) {
        return workspace->runningApplication(bundleIdentifier).has_value();
      });
  process_ = std::make_unique<SimProcessHooks>(*scheduler_);
  windowServer_ = std::make_unique<SimWindowServer>(options.varneloPid);
  accessibility_ = std::make_unique<SimAccessibility>(
      *scheduler_, *windowServer_, elementTree_, *accessibilityTrust_,
      [workspace](ProcessId pid) -> std::optional<std::string> {
        auto application = workspace->runningApplication(static_cast<int>(pid));
        if (!application) return std::nullopt;
        return application->localizedName;
      });
  panels_ = std::make_unique<SimPanels>(*windowServer_, *scheduler_, options.varneloPid);
  mouse_ = std::make_unique<SimMouse>();
  pointer_ = std::make_unique<SimPointer>(*scheduler_, *windowServer_, *mouse_);
  keyboard_ = std::make_unique<SimKeyboard>([workspace]() -> std::optional<ProcessId> {
    auto front = workspace->frontmostApplication();
    if (!front) return std::nullopt;
    return front->processId;
  });
  screens_ = std::make_unique<SimScreens>(*windowServer_, *workspace_);
  finder_ = std::make_unique<SimFinder>(
      *windowServer_, workspace->runningApplication(kFinderBundleIdentifier)->processId,
      scheduler_.get());
  finder_->addVolume(externalVolume());
  finder_->onActivate = [workspace] { workspace->activate(kFinderBundleIdentifier); };
  listenToFinderKeys();
  scriptHost_ = std::make_unique<SimScriptHost>(*scheduler_, *finder_, *automation_);
  scriptHost_->launchFinder = [this] { return launchFinder(); };

  std::function<void()> runLoop = [] {};
  std::function<void()> stopLoop = [] {};
  if (realTimeLoop_) {
    runLoop = options.runEventLoop ? std::move(options.runEventLoop)
                                   : [loop = realTimeLoop_] { loop->run(); };
    stopLoop = options.stopEventLoop ? std::move(options.stopEventLoop)
                                     : [loop = realTimeLoop_] { loop->quit(); };
    process_->forwardRealSignals();
  }
  application_ = std::make_unique<SimApplication>(*scheduler_, *process_, std::move(runLoop),
                                                  std::move(stopLoop));
  application_->onActivate = [workspace, bundle = systemInfo_->bundleIdentifier()] {
    if (bundle) workspace->activate(*bundle);
  };
  fileDialogs_ = std::make_unique<SimFileDialogs>(
      *scheduler_, *windowServer_, elementTree_, *keyboard_, home_.path,
      std::vector<std::filesystem::path>{externalVolume(), home_.path});
  hand_ = std::make_unique<SimHand>(*windowServer_, *mouse_, *pointer_, *workspace_, *finder_,
                                    *fileDialogs_, statusBar_, options.varneloPid);
  workspace_->onShowInFileViewer = [this](const std::vector<Url>& urls) {
    std::vector<std::filesystem::path> items;
    for (const auto& url : urls) {
      if (auto path = url.filePath()) items.emplace_back(*path);
    }
    if (!items.empty()) showInFinder(items);
  };
}

SimDesktop::~SimDesktop() = default;

Ports SimDesktop::ports() {
  return Ports{
      .mainQueue = *scheduler_,
      .serialQueues = *scheduler_,
      .system = *systemInfo_,
      .defaults = *defaults_,
      .globalDefaults = *globalDefaults_,
      .systemLog = *systemLog_,
      .accessibilityTrust = *accessibilityTrust_,
      .automation = *automation_,
      .application = *application_,
      .workspace = *workspace_,
      .process = *process_,
      .scriptHost = *scriptHost_,
      .accessibility = *accessibility_,
      .windowServer = *windowServer_,
      .mouse = *mouse_,
      .keyboard = *keyboard_,
      .screens = *screens_,
      .pasteboard = pasteboard_,
      .panels = *panels_,
      .statusBar = statusBar_,
      .alerts = alerts_,
      .loginItems = loginItems_,
      .applicationChooser = applicationChooser_,
      .windows = appWindows_,
      .files = *files_,
  };
}

bool SimDesktop::setScreens(std::vector<SimScreen> screens) {
  Rect primary = screens.empty() ? Rect{} : screens.front().frame;
  if (!windowServer_->setScreens(std::move(screens))) return false;
  if (auto desktop = finder_->desktopWindow(); desktop != kNullWindowNumber)
    windowServer_->setFrame(desktop, primary);
  return true;
}

std::filesystem::path SimDesktop::externalVolume() const { return home_.path / kExternalVolume; }

bool SimDesktop::quitFinder(DestroyedNotices notices, Duration quitting) {
  if (!finder_->isRunning() || finder_->isQuitting()) return false;
  auto finish = [this, order = draw(notices)] {
    if (order == DestroyedNotices::dropped) {
      for (const auto& window : windowServer_->windowsOf(finder_->pid()))
        accessibility_->setDropNotifications(window.number, true);
    }
    if (order == DestroyedNotices::afterTermination) workspace_->quit(kFinderBundleIdentifier);
    finder_->quit();
    if (order != DestroyedNotices::afterTermination) workspace_->quit(kFinderBundleIdentifier);
  };
  if (quitting == Duration{0}) {
    finish();
    return true;
  }
  finder_->beginQuit();
  scheduler_->postAfter(quitting, finish);
  return true;
}

void SimDesktop::seedRandom(std::uint64_t seed) { random_.seed(seed); }

DestroyedNotices SimDesktop::draw(DestroyedNotices notices) {
  if (notices != DestroyedNotices::seeded) return notices;
  constexpr DestroyedNotices kOrders[] = {DestroyedNotices::beforeTermination,
                                          DestroyedNotices::afterTermination,
                                          DestroyedNotices::dropped};
  return kOrders[std::uniform_int_distribution<std::size_t>(0, 2)(random_)];
}

FileViewer SimDesktop::showInFinder(const std::vector<std::filesystem::path>& items) {
  const auto viewer = globalDefaults_->fileViewer();
  if (viewer && *viewer != kFinderBundleIdentifier && workspace_->runningApplication(*viewer)) {
    if (*viewer != systemInfo_->bundleIdentifier()) return FileViewer::other;
    if (application_->isLaunched() && process_->isRunning()) {
      std::vector<Url> urls;
      for (const auto& item : items) urls.push_back(Url::fileUrl(item.string()));
      application_->deliverOpenUrls(std::move(urls));
      return FileViewer::varnelo;
    }
  }
  if (!finder_->isRunning()) launchFinder();
  finder_->activate();
  finder_->reveal(items);
  return FileViewer::finder;
}

bool SimDesktop::relaunchFinder() { return !finder_->isRunning() && launchFinder(); }

bool SimDesktop::restartVarnelo() {
  if (!process_->restart()) return false;
  application_->restart();
  return true;
}

bool SimDesktop::launchFinder() {
  auto pid = workspace_->launch(kFinderBundleIdentifier);
  if (!pid) return finder_->isRunning();
  finder_->launch(*pid);
  scheduler_->post([this] {
    listenToFinderKeys();
    if (onFinderLaunched) onFinderLaunched();
  });
  return true;
}

void SimDesktop::listenToFinderKeys() {
  keyboard_->setListener(finder_->pid(), [this](const KeyStroke& stroke) {
    if (stroke.virtualKey == VirtualKey::space && stroke.flags == 0) {
      if (finder_->isQuickLookShown()) {
        finder_->hideQuickLook();
      } else if (!finder_->selection().empty()) {
        finder_->showQuickLook(SimFinder::QuickLookSize::small);
      }
      return;
    }
    if ((stroke.flags & KeyFlag::command) == 0) return;
    if (stroke.virtualKey == VirtualKey::n) {
      finder_->openWindow(home_.path);
    } else if (auto windows = finder_->windows();
               stroke.virtualKey == VirtualKey::w && !windows.empty()) {
      finder_->close(windows.front().id);
    }
  });
}

}  // namespace varnelo::sim
