// Varnelo's own windows on the simulated desktop: which exist, their titles and contents,
// which is key. A scenario makes one key (the user comes back to it) or closes it with its
// close button. Main thread only.
//
// Limits: the windows are not in the window server's list and nothing is drawn here.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Platform/AppWindows.h"

namespace varnelo::sim {

class SimAppWindows final : public AppWindows {
 public:
  std::unique_ptr<AppWindow> create(const std::string& title, AppWindowContent content) override;

  // The visible window of that title; nullptr when none.
  AppWindow* visible(const std::string& title) const;
  const AppWindowContent* content(const std::string& title) const;
  // The visible windows' titles, oldest first.
  std::vector<std::string> visibleTitles() const;
  // The user comes back to the window (from System Settings, say): it becomes key again
  // and is told so.
  bool focus(const std::string& title);
  std::optional<std::string> keyWindow() const { return key_; }
  // Windows created so far.
  int createdCount() const { return created_; }

 private:
  class SimAppWindow;
  std::vector<SimAppWindow*> windows_;
  std::optional<std::string> key_;
  int created_ = 0;
};

}  // namespace varnelo::sim
