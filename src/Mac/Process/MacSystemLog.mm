#include "Mac/Process/MacSystemLog.h"

namespace varnelo::mac {

namespace {
constexpr const char* kSubsystem = "com.varnelo.Varnelo";
}

os_log_t MacSystemLog::log(std::string_view logger) const {
  std::lock_guard lock(mutex_);
  auto found = logs_.find(logger);
  if (found != logs_.end()) return found->second;
  os_log_t made = os_log_create(kSubsystem, std::string(logger).c_str());
  logs_.emplace(std::string(logger), made);
  return made;
}

bool MacSystemLog::isDefaultEnabled(std::string_view logger) const {
  return os_log_type_enabled(log(logger), OS_LOG_TYPE_DEFAULT);
}

void MacSystemLog::logDefault(std::string_view logger, std::string_view category,
                              std::string_view message) {
  // Both fields public: without it the system redacts them as private data.
  const std::string categoryText(category);
  const std::string messageText(message);
  os_log_with_type(log(logger), OS_LOG_TYPE_DEFAULT, "[%{public}s] %{public}s",
                   categoryText.c_str(), messageText.c_str());
}

void MacSystemLog::logDebug(std::string_view logger, std::string_view message) {
  const std::string messageText(message);
  os_log_debug(log(logger), "%{public}s", messageText.c_str());
}

}  // namespace varnelo::mac
