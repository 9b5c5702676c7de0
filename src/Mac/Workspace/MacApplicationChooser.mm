#include "Mac/Workspace/MacApplicationChooser.h"

#include <AppKit/AppKit.h>
#include <UniformTypeIdentifiers/UniformTypeIdentifiers.h>

#include "Mac/Bridge/FoundationText.h"
#include "Mac/Bridge/FoundationUrl.h"

namespace varnelo::mac {

std::optional<std::string> MacApplicationChooser::chooseApplication(
    const ApplicationChoiceRequest& request) {
  NSOpenPanel* panel = [NSOpenPanel openPanel];
  panel.canChooseFiles = YES;
  panel.canChooseDirectories = NO;
  panel.allowsMultipleSelection = NO;
  panel.allowedContentTypes = @[ UTTypeApplicationBundle ];
  panel.prompt = nsString(request.prompt);
  panel.message = nsString(request.message);
  panel.directoryURL = fileUrl(request.startDirectory);
  // An agent application is not active; its panel would open behind the frontmost window.
  [NSApp activateIgnoringOtherApps:YES];
  if ([panel runModal] != NSModalResponseOK) return std::nullopt;
  return optionalText(panel.URL.path);
}

}  // namespace varnelo::mac
