// Opening a file as this process, so that the privacy protection answers as it would for
// any read: a protected file that is there fails with EPERM. Type-checked on Linux; runs
// only on a Mac.
#pragma once

#include "Platform/FileAccess.h"

namespace varnelo::mac {

class MacFileAccess final : public FileAccess {
 public:
  FileOpening openForReading(const std::string& path) const override;
};

}  // namespace varnelo::mac
