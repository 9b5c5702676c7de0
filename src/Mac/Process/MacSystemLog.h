// The unified log under the subsystem "com.varnelo.Varnelo", one os_log object per logger
// name, made on first use. Type-checked on Linux; runs only on a Mac.
#pragma once

#include <os/log.h>

#include <map>
#include <mutex>
#include <string>

#include "Platform/SystemLog.h"

namespace varnelo::mac {

class MacSystemLog final : public SystemLog {
 public:
  bool isDefaultEnabled(std::string_view logger) const override;
  void logDefault(std::string_view logger, std::string_view category,
                  std::string_view message) override;
  void logDebug(std::string_view logger, std::string_view message) override;

 private:
  os_log_t log(std::string_view logger) const;

  mutable std::mutex mutex_;
  mutable std::map<std::string, os_log_t, std::less<>> logs_;
};

}  // namespace varnelo::mac
