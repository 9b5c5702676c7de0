// libFuzzer target: one input, read as a user defaults file (XML or binary property list).
// Besides crashes and sanitizer reports it checks what the reader promises: a file it
// loads is saved again and loads again with the same keys.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "FuzzCheck.h"
#include "Sim/Defaults/PlistFile.h"

namespace {

using namespace varnelo::sim;

using varnelo::fuzz::check;

// One folder per fuzzing process, for the file read and the file written; removed when
// the process ends.
struct Scratch {
  std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("varnelo-plist-fuzz-" + std::to_string(getpid()));
  Scratch() { std::filesystem::create_directories(path); }
  ~Scratch() {
    std::error_code error;
    std::filesystem::remove_all(path, error);
  }
};

const std::filesystem::path& folder() {
  static const Scratch scratch;
  return scratch.path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto input = folder() / "input.plist";
  std::ofstream(input, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  const PlistLoad loaded = PlistFile::load(input);
  check(loaded.outcome != PlistLoadOutcome::missing, "an existing file is never missing");
  if (loaded.outcome != PlistLoadOutcome::loaded) {
    check(loaded.dictionary.empty(), "an unreadable file reads as nothing");
    return 0;
  }
  const auto output = folder() / "output.plist";
  check(PlistFile::save(output, loaded.dictionary), "a loaded dictionary can be saved");
  const PlistLoad again = PlistFile::load(output);
  check(again.outcome == PlistLoadOutcome::loaded, "a saved file loads");
  check(again.dictionary.size() == loaded.dictionary.size(), "a saved file keeps every key");
  for (const auto& [key, value] : loaded.dictionary) {
    check(again.dictionary.contains(key), "a saved file keeps every key");
  }
  return 0;
}
