#include "Sim/Process/SimSystemLog.h"

#include <algorithm>
#include <utility>

namespace varnelo::sim {

SimSystemLog::SimSystemLog(std::size_t capacity) : capacity_(std::max<std::size_t>(capacity, 1)) {}

bool SimSystemLog::isDefaultEnabled(std::string_view logger) const {
  std::lock_guard lock(mutex_);
  return !disabledLoggers_.contains(logger);
}

void SimSystemLog::logDefault(std::string_view logger, std::string_view category,
                              std::string_view message) {
  if (!isDefaultEnabled(logger)) return;
  append(
      {std::string(logger), LogLevel::defaultLevel, std::string(category), std::string(message)});
}

void SimSystemLog::logDebug(std::string_view logger, std::string_view message) {
  append({std::string(logger), LogLevel::debug, {}, std::string(message)});
}

void SimSystemLog::setDefaultEnabled(std::string_view logger, bool enabled) {
  std::lock_guard lock(mutex_);
  if (enabled) {
    if (auto found = disabledLoggers_.find(logger); found != disabledLoggers_.end()) {
      disabledLoggers_.erase(found);
    }
    return;
  }
  disabledLoggers_.emplace(logger);
}

std::vector<SystemLogLine> SimSystemLog::lines() const {
  std::lock_guard lock(mutex_);
  return {lines_.begin(), lines_.end()};
}

std::size_t SimSystemLog::countDefault(std::string_view category, std::string_view text) const {
  std::lock_guard lock(mutex_);
  return static_cast<std::size_t>(
      std::count_if(lines_.begin(), lines_.end(), [&](const auto& line) {
        return line.level == LogLevel::defaultLevel && line.category == category &&
               line.message.find(text) != std::string::npos;
      }));
}

bool SimSystemLog::containsDefault(std::string_view category, std::string_view text) const {
  return countDefault(category, text) > 0;
}

std::size_t SimSystemLog::droppedCount() const {
  std::lock_guard lock(mutex_);
  return dropped_;
}

void SimSystemLog::append(SystemLogLine line) {
  std::lock_guard lock(mutex_);
  if (lines_.size() == capacity_) {
    lines_.pop_front();
    ++dropped_;
  }
  lines_.push_back(std::move(line));
}

}  // namespace varnelo::sim
