// The application framework: activation policy, the event loop, quitting, and the
// delegate it calls. Main thread only.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Platform/Time.h"
#include "Platform/Url.h"

namespace varnelo {

class ApplicationDelegate {
 public:
  virtual ~ApplicationDelegate() = default;
  virtual void applicationDidFinishLaunching() = 0;
  virtual void applicationWillTerminate() = 0;
  virtual void openUrls(const std::vector<Url>& urls) = 0;
  // Answers whether the file was opened.
  virtual bool openFile(const std::string& path) = 0;
  // The reply to the sender is given by the delegate through replyToOpenOrPrint().
  virtual void openFiles(const std::vector<std::string>& paths) = 0;
};

enum class ActivationPolicy { regular, accessory, prohibited };
enum class OpenReply { success, cancel, failure };

class Application {
 public:
  virtual ~Application() = default;
  // The application holds its delegate weakly, as the framework does.
  virtual void setDelegate(std::weak_ptr<ApplicationDelegate> delegate) = 0;
  virtual void setActivationPolicy(ActivationPolicy policy) = 0;
  // Finishes launching (calling applicationDidFinishLaunching) and runs the event loop
  // until the application terminates.
  virtual void run() = 0;
  // The normal quit: applicationWillTerminate, then the process ends.
  virtual void terminate() = 0;
  // Runs the current run loop for a while before returning; work due meanwhile runs.
  virtual void runMainLoopFor(Duration duration) = 0;
  virtual void replyToOpenOrPrint(OpenReply reply) = 0;
  // Brings Varnelo to the front, ignoring other applications, before it shows an alert
  // or a window.
  virtual void activateIgnoringOtherApps() = 0;
};

}  // namespace varnelo
