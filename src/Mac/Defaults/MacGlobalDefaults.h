// The global domain, read and written whole as a persistent domain, so that every other
// entry is written back as it was. Type-checked on Linux; runs only on a Mac.
#pragma once

#include "Platform/UserDefaults.h"

namespace varnelo::mac {

class MacGlobalDefaults final : public GlobalDefaults {
 public:
  std::optional<std::string> fileViewer() const override;
  std::optional<std::string> text(const std::string& key) const override;
  void setText(const std::string& key, const std::string& value) override;
  void remove(const std::string& key) override;
  void synchronize() override;
};

}  // namespace varnelo::mac
