// One item of a Finder copy or move as the file system sees it: where it goes, and how
// long its bytes take at a throughput. Failures are the file system's error codes. Pure
// functions of the file system; any thread.
#pragma once

#include <cstdint>
#include <filesystem>
#include <system_error>

#include "Platform/Time.h"

namespace varnelo::sim {

struct TransferStep {
  std::filesystem::path from;
  std::filesystem::path to;
  bool move = false;
  Duration takes{0};
};

// A file's size; a folder's files added up; a link (not followed) or a missing item 0.
std::uintmax_t bytesIn(const std::filesystem::path& item);

Duration copyTime(std::uintmax_t bytes, std::uint64_t bytesPerSecond);

// Copies recursively, keeping links as links; a move is a rename, or a copy and a delete
// where the rename crosses devices.
std::error_code perform(const TransferStep& step);

}  // namespace varnelo::sim
