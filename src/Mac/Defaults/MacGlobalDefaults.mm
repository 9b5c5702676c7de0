#include "Mac/Defaults/MacGlobalDefaults.h"

#include <Foundation/Foundation.h>

#include "Mac/Bridge/FoundationText.h"

namespace varnelo::mac {

namespace {

NSDictionary<NSString*, id>* globalDomain() {
  return [NSUserDefaults.standardUserDefaults persistentDomainForName:NSGlobalDomain];
}

void writeGlobalDomain(NSDictionary<NSString*, id>* domain) {
  [NSUserDefaults.standardUserDefaults setPersistentDomain:domain forName:NSGlobalDomain];
}

}  // namespace

std::optional<std::string> MacGlobalDefaults::fileViewer() const { return text(kFileViewerKey); }

std::optional<std::string> MacGlobalDefaults::text(const std::string& key) const {
  return optionalText(globalDomain()[nsString(key)]);
}

void MacGlobalDefaults::setText(const std::string& key, const std::string& value) {
  NSString* string = nsString(value);
  if (!string) return;  // not UTF-8: nothing a viewer could be named by
  NSMutableDictionary<NSString*, id>* domain = [globalDomain() mutableCopy];
  if (!domain) domain = [NSMutableDictionary dictionary];
  domain[nsString(key)] = string;
  writeGlobalDomain(domain);
}

void MacGlobalDefaults::remove(const std::string& key) {
  NSMutableDictionary<NSString*, id>* domain = [globalDomain() mutableCopy];
  if (!domain) return;
  [domain removeObjectForKey:nsString(key)];
  writeGlobalDomain(domain);
}

void MacGlobalDefaults::synchronize() { [NSUserDefaults.standardUserDefaults synchronize]; }

}  // namespace varnelo::mac
