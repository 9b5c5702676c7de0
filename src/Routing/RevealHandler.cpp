#include "Routing/RevealHandler.h"

#include "Support/Log.h"

namespace varnelo::RevealHandler {
namespace {

constexpr const char* kCategory = "reveal";

void writeGlobal(const Ports& ports, const std::optional<std::string>& viewer) {
  if (viewer) {
    ports.globalDefaults.setText(kFileViewerKey, *viewer);
  } else {
    ports.globalDefaults.remove(kFileViewerKey);
  }
  ports.globalDefaults.synchronize();
}

}  // namespace

std::optional<std::string> currentViewer(const Ports& ports) {
  ports.globalDefaults.synchronize();
  return ports.globalDefaults.fileViewer();
}

bool isRegisteredViewer(const Ports& ports) {
  return currentViewer(ports) == bundleIdentifierOrDefault(ports.system);
}

bool registerViewer(const Ports& ports) {
  const std::string own = bundleIdentifierOrDefault(ports.system);
  auto current = currentViewer(ports);
  if (current && *current != own) {
    ports.defaults.setText(kPreviousViewerKey, *current);
    Log::emit(kCategory, "既存の viewer を控えました: " + *current);
  } else if (!current) {
    // A viewer remembered from long ago would otherwise come back at unregistration.
    ports.defaults.remove(kPreviousViewerKey);
  }
  writeGlobal(ports, own);
  auto confirmed = currentViewer(ports);
  if (confirmed == own) {
    Log::emit(kCategory, "default file viewer として登録しました: " + own);
    return true;
  }
  Log::emit(kCategory,
            "登録に失敗しました（書き込み後の確認値: " + confirmed.value_or("nil") + "）");
  return false;
}

void unregister(const Ports& ports, Logging logging) {
  auto emit = [logging](const std::string& message) {
    if (logging == Logging::enabled) Log::emit(kCategory, message);
  };
  auto previous = ports.defaults.text(kPreviousViewerKey);
  ports.defaults.remove(kPreviousViewerKey);
  // A viewer that was uninstalled meanwhile would leave "Show in Finder" pointing nowhere.
  if (previous && !previous->empty() && *previous != bundleIdentifierOrDefault(ports.system) &&
      ports.workspace.urlForApplication(*previous)) {
    writeGlobal(ports, *previous);
    emit("元の viewer を復元: " + *previous);
    return;
  }
  writeGlobal(ports, std::nullopt);
  emit("登録を解除（Finder に戻しました）");
}

void reconcileOnLaunch(const Ports& ports) {
  auto viewer = currentViewer(ports);
  if (!viewer || *viewer == bundleIdentifierOrDefault(ports.system)) return;
  if (ports.workspace.urlForApplication(*viewer)) return;
  Log::emit(kCategory, "孤児化した NSFileViewer 登録を検知（" + *viewer +
                           " は現存しないアプリ）→ Finder に返します");
  writeGlobal(ports, std::nullopt);
  ports.defaults.remove(kPreviousViewerKey);
}

}  // namespace varnelo::RevealHandler
