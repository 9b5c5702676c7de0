// A home folder of its own for one test, removed with its contents at the end.
#pragma once

#include <filesystem>

#include "TestSupport/TempDir.h"
#include "TestSupport/TestFiles.h"

namespace varnelo::test {

class TempHome : public TempDir {
 public:
  std::filesystem::path logFolder() const { return path() / "Library" / "Logs" / "Varnelo"; }
};

}  // namespace varnelo::test
