// Varnelo's own ordinary windows (titled and closable, not resizable), each showing one
// content: a reference to the model it draws. Creating one never fails; it is centred
// and hidden until made key. Main thread only; callbacks come on the main thread.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <variant>

namespace varnelo {

class SetupModel;

struct SetupWindowContent {
  SetupModel* model = nullptr;
  bool operator==(const SetupWindowContent&) const = default;
};

using AppWindowContent = std::variant<SetupWindowContent>;

class AppWindow {
 public:
  virtual ~AppWindow() = default;
  // Brings the window to the front and makes it key.
  virtual void makeKeyAndOrderFront() = 0;
  // As the close button does: onWillClose is called first.
  virtual void close() = 0;
  virtual bool isVisible() const = 0;

  std::function<void()> onBecomeKey;
  std::function<void()> onWillClose;
};

class AppWindows {
 public:
  virtual ~AppWindows() = default;
  virtual std::unique_ptr<AppWindow> create(const std::string& title, AppWindowContent content) = 0;
};

}  // namespace varnelo
