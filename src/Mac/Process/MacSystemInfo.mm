#include "Mac/Process/MacSystemInfo.h"

#include <Foundation/Foundation.h>
#include <unistd.h>

#include "Mac/Bridge/FoundationText.h"

namespace varnelo::mac {

OsVersion MacSystemInfo::osVersion() const {
  NSOperatingSystemVersion version = NSProcessInfo.processInfo.operatingSystemVersion;
  return {static_cast<int>(version.majorVersion), static_cast<int>(version.minorVersion),
          static_cast<int>(version.patchVersion)};
}

std::filesystem::path MacSystemInfo::homeDirectory() const { return text(NSHomeDirectory()); }

std::vector<std::string> MacSystemInfo::preferredLanguages() const {
  std::vector<std::string> languages;
  for (NSString* language in NSLocale.preferredLanguages) languages.push_back(text(language));
  return languages;
}

bool MacSystemInfo::stdoutIsTerminal() const { return isatty(STDOUT_FILENO) == 1; }

std::optional<std::string> MacSystemInfo::bundleIdentifier() const {
  return optionalText(NSBundle.mainBundle.bundleIdentifier);
}

std::optional<std::string> MacSystemInfo::shortVersion() const {
  id version = [NSBundle.mainBundle objectForInfoDictionaryKey:@"CFBundleShortVersionString"];
  return [version isKindOfClass:[NSString class]] ? optionalText(version) : std::nullopt;
}

int MacSystemInfo::processId() const { return NSProcessInfo.processInfo.processIdentifier; }

}  // namespace varnelo::mac
