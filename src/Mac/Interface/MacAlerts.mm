#include "Mac/Interface/MacAlerts.h"

#include <AppKit/AppKit.h>

#include <algorithm>

#include "Mac/Bridge/FoundationText.h"

namespace varnelo::mac {
namespace {

NSAlertStyle alertStyle(AlertStyle style) {
  switch (style) {
    case AlertStyle::informational:
      return NSAlertStyleInformational;
    case AlertStyle::warning:
      return NSAlertStyleWarning;
  }
  return NSAlertStyleWarning;
}

std::size_t answerIndex(NSModalResponse response, std::size_t buttonCount) {
  const std::size_t shown = std::max<std::size_t>(buttonCount, 1);
  if (response < NSAlertFirstButtonReturn) return shown - 1;
  const auto index = static_cast<std::size_t>(response - NSAlertFirstButtonReturn);
  return std::min(index, shown - 1);
}

}  // namespace

void MacAlerts::show(Alert alert, std::function<void(std::size_t button)> answered) {
  NSAlert* panel = [[NSAlert alloc] init];
  panel.alertStyle = alertStyle(alert.style);
  panel.messageText = nsStringOrEmpty(alert.message);
  panel.informativeText = nsStringOrEmpty(alert.informativeText);
  for (const auto& button : alert.buttons) [panel addButtonWithTitle:nsStringOrEmpty(button)];
  [NSApp activateIgnoringOtherApps:YES];
  const NSModalResponse response = [panel runModal];
  if (answered) answered(answerIndex(response, alert.buttons.size()));
}

}  // namespace varnelo::mac
