// The system's unified log, under the subsystem "com.varnelo.Varnelo".
// Any thread. Writes never fail visibly.
#pragma once

#include <string_view>

namespace varnelo {

class SystemLog {
 public:
  virtual ~SystemLog() = default;
  // Whether default-level lines of the logger with this category are recorded at all.
  virtual bool isDefaultEnabled(std::string_view logger) const = 0;
  // A default-level line "[%{public}s] %{public}s" with both fields public.
  virtual void logDefault(std::string_view logger, std::string_view category,
                          std::string_view message) = 0;
  // A debug-level line; never written to the log file.
  virtual void logDebug(std::string_view logger, std::string_view message) = 0;
};

}  // namespace varnelo
