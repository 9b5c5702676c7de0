#include "Sim/Process/SimSystemInfo.h"

#include <utility>

namespace varnelo::sim {

SimSystemInfo::SimSystemInfo(SystemFacts facts) : facts_(std::move(facts)) {}

OsVersion SimSystemInfo::osVersion() const {
  std::lock_guard lock(mutex_);
  return facts_.osVersion;
}

std::filesystem::path SimSystemInfo::homeDirectory() const {
  std::lock_guard lock(mutex_);
  return facts_.homeDirectory;
}

std::vector<std::string> SimSystemInfo::preferredLanguages() const {
  std::lock_guard lock(mutex_);
  return facts_.preferredLanguages;
}

bool SimSystemInfo::stdoutIsTerminal() const {
  std::lock_guard lock(mutex_);
  return facts_.stdoutIsTerminal;
}

std::optional<std::string> SimSystemInfo::bundleIdentifier() const {
  std::lock_guard lock(mutex_);
  return facts_.bundleIdentifier;
}

std::optional<std::string> SimSystemInfo::shortVersion() const {
  std::lock_guard lock(mutex_);
  return facts_.shortVersion;
}

int SimSystemInfo::processId() const {
  std::lock_guard lock(mutex_);
  return facts_.processId;
}

void SimSystemInfo::setOsVersion(OsVersion version) {
  std::lock_guard lock(mutex_);
  facts_.osVersion = version;
}

void SimSystemInfo::setPreferredLanguages(std::vector<std::string> languages) {
  std::lock_guard lock(mutex_);
  facts_.preferredLanguages = std::move(languages);
}

void SimSystemInfo::setStdoutIsTerminal(bool isTerminal) {
  std::lock_guard lock(mutex_);
  facts_.stdoutIsTerminal = isTerminal;
}

}  // namespace varnelo::sim
