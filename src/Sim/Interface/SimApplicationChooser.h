// The open panel that picks an application, on the simulated desktop: a scenario says
// beforehand what the person will pick (a bundle path) or that they cancel; with nothing
// said, they cancel. Every request is kept, so its texts can be checked. Main thread only.
//
// Limits: the panel is not drawn and the answer is not checked against the file system.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "Platform/ApplicationChooser.h"

namespace varnelo::sim {

class SimApplicationChooser final : public ApplicationChooser {
 public:
  std::optional<std::string> chooseApplication(const ApplicationChoiceRequest& request) override {
    requests_.push_back(request);
    if (answers_.empty()) return std::nullopt;
    auto answer = answers_.front();
    answers_.pop_front();
    return answer;
  }

  // nullopt: the person cancels.
  void answerNext(std::optional<std::string> bundlePath) {
    answers_.push_back(std::move(bundlePath));
  }
  const std::vector<ApplicationChoiceRequest>& requests() const { return requests_; }

 private:
  std::deque<std::optional<std::string>> answers_;
  std::vector<ApplicationChoiceRequest> requests_;
};

}  // namespace varnelo::sim
