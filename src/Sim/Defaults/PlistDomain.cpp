#include "Sim/Defaults/PlistDomain.h"

#include <system_error>
#include <utility>

namespace varnelo::sim {
namespace {

std::filesystem::path freeSideName(const std::filesystem::path& file) {
  auto exists = [](const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::exists(std::filesystem::symlink_status(path, error));
  };
  std::filesystem::path side = file.string() + ".corrupt";
  for (int n = 1; exists(side); ++n) side = file.string() + ".corrupt." + std::to_string(n);
  return side;
}

}  // namespace

PlistDomain::PlistDomain(std::filesystem::path file, UnsavedWrites unsavedWrites,
                         DefaultsNotice notice)
    : file_(std::move(file)), unsavedWrites_(unsavedWrites), notice_(std::move(notice)) {}

std::optional<PlistValue> PlistDomain::value(const std::string& key) const {
  const auto& values = current();
  auto found = values.find(key);
  if (found == values.end()) return std::nullopt;
  return found->second;
}

void PlistDomain::set(const std::string& key, PlistValue value) {
  current().insert_or_assign(key, std::move(value));
  save();
}

void PlistDomain::remove(const std::string& key) {
  current().erase(key);
  save();
}

void PlistDomain::save() {
  bool saved = persist();
  unsaved_ = !saved && unsavedWrites_ == UnsavedWrites::keptInMemory;
}

PlistDictionary& PlistDomain::current() const {
  if (unsaved_) return values_;
  auto load = PlistFile::load(file_);
  values_ = std::move(load.dictionary);
  if (load.outcome == PlistLoadOutcome::unreadable) {
    keepAside();
  } else {
    stuckOnCorruptFile_ = false;
  }
  return values_;
}

void PlistDomain::keepAside() const {
  auto side = freeSideName(file_);
  std::error_code error;
  std::filesystem::rename(file_, side, error);
  if (!error) {
    stuckOnCorruptFile_ = false;
    notice_(file_.string() + " is unreadable; kept it as " + side.filename().string() +
            " and read the domain as empty");
    return;
  }
  if (stuckOnCorruptFile_) return;
  stuckOnCorruptFile_ = true;
  notice_(file_.string() + " is unreadable and could not be kept aside (" + error.message() +
          "); read the domain as empty and left the file alone");
}

bool PlistDomain::persist() const {
  if (savingFails_) return false;
  // A file damaged since the last read must be kept aside before it is overwritten.
  if (PlistFile::load(file_).outcome == PlistLoadOutcome::unreadable) {
    keepAside();
    if (stuckOnCorruptFile_) return false;
  }
  std::error_code error;
  std::filesystem::create_directories(file_.parent_path(), error);
  return PlistFile::save(file_, values_);
}

}  // namespace varnelo::sim
