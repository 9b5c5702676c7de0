// Alerts through NSAlert, run modally once the program has activated itself: an agent
// application is not active, and its alert would open behind the frontmost window. The
// completion runs once, before show() returns. An alert without buttons shows AppKit's OK,
// answered as 0; an answer that names no button (the modal session stopped from elsewhere)
// counts as the last button, the one furthest from the default. Texts that are not UTF-8
// show empty. Nothing fails. Main thread only.
// Type-checked on Linux; runs only on a Mac.
#pragma once

#include <cstddef>
#include <functional>

#include "Platform/Alerts.h"

namespace varnelo::mac {

class MacAlerts final : public Alerts {
 public:
  void show(Alert alert, std::function<void(std::size_t button)> answered) override;
};

}  // namespace varnelo::mac
