#include "App/ApplicationMain.h"

#include "Bookmarks/BookmarkStore.h"
#include "Support/AppSettings.h"
#include "Support/L10n.h"
#include "Support/Log.h"
#include "Support/Metrics.h"

namespace varnelo {
namespace {

// The process-wide facilities live until the process ends, as on the real platform.
void prepareProcessWideFacilities(const Ports& ports) {
  Log::install(std::make_shared<Logger>(ports.systemLog, ports.mainQueue, ports.serialQueues,
                                        ports.system, ports.defaults));
  L10n::initialise(ports.system);
  Metrics::initialise(ports.system);
  AppSettings::install(std::make_shared<AppSettings>(ports.defaults));
  BookmarkStore::install(std::make_shared<BookmarkStore>(ports.defaults, ports.workspace));
}

}  // namespace

void releaseProcessWideFacilities() {
  BookmarkStore::install(nullptr);
  AppSettings::install(nullptr);
  Log::install(nullptr);
}

std::shared_ptr<AppDelegate> runApplication(const Ports& ports) {
  prepareProcessWideFacilities(ports);
  Application& application = ports.application;
  auto delegate = std::make_shared<AppDelegate>(ports);
  application.setDelegate(delegate);
  application.setActivationPolicy(ActivationPolicy::accessory);
  application.run();
  return delegate;
}

}  // namespace varnelo
