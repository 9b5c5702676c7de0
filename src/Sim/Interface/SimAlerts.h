// Alerts on the simulated desktop: a shown alert waits, the newest in front, until a
// scenario answers it by a button's title; the clock runs meanwhile, as a person takes
// their time. Answering an alert that shows no such button, or when none shows, is refused.
// Main thread only.
//
// Limits: nothing is drawn; the answer's completion runs inside answer().
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "Platform/Alerts.h"

namespace varnelo::sim {

class SimAlerts final : public Alerts {
 public:
  void show(Alert alert, std::function<void(std::size_t button)> answered) override;

  // Oldest first; the last one is in front.
  std::vector<Alert> showing() const;
  // Every alert shown so far, answered or not.
  std::size_t shownCount() const { return shownCount_; }
  bool answer(const std::string& button);

 private:
  struct Pending {
    Alert alert;
    std::function<void(std::size_t)> answered;
  };
  std::vector<Pending> pending_;
  std::size_t shownCount_ = 0;
};

}  // namespace varnelo::sim
