// Whole-file reads and writes for tests that prepare or inspect files byte for byte.
// Test helper: a failed write leaves no file, a failed read answers "".
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace varnelo::test {

// Creates the missing folders on the way.
inline void writeFile(const std::filesystem::path& file, const std::string& contents) {
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary | std::ios::trunc) << contents;
}

inline std::string readFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace varnelo::test
