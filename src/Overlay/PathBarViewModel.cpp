#include "Overlay/PathBarViewModel.h"

#include <atomic>
#include <system_error>
#include <utility>

#include "Overlay/PathFormatting.h"

namespace varnelo {
namespace {

std::uint64_t nextCrumbId() {
  static std::atomic<std::uint64_t> last{0};
  return ++last;
}

// Follows links, as the platform's existence check does; an unreadable path is no folder.
bool namesFolder(const std::string& candidate) {
  std::error_code error;
  return std::filesystem::is_directory(candidate, error);
}

}  // namespace

PathBarViewModel::PathBarViewModel(const std::filesystem::path& home, Pasteboard& pasteboard)
    : home_(home.string()), pasteboard_(pasteboard) {
  clearInvalidOnTyping_ = editText.subscribe([this](const std::string&) {
    if (inputInvalid.get()) inputInvalid.set(false);
  });
}

void PathBarViewModel::rebuildCrumbs() {
  std::vector<Crumb> built;
  for (auto& crumb : PathFormatting::crumbs(path.get(), home_))
    built.push_back({nextCrumbId(), std::move(crumb.name), std::move(crumb.fullPath)});
  crumbs.set(std::move(built));
}

void PathBarViewModel::commitEditing() {
  auto target = PathFormatting::resolveInput(editText.get(), path.get(), home_);
  if (!target || (validatesExistence && !namesFolder(*target))) {
    inputInvalid.set(true);
    return;
  }
  inputInvalid.set(false);
  isEditing.set(false);
  if (onNavigate) onNavigate(*target);
}

void PathBarViewModel::cancelEditing() {
  isEditing.set(false);
  inputInvalid.set(false);
  editText.set(path.get());
}

bool PathBarViewModel::copyPath() {
  pasteboard_.clearContents();
  return pasteboard_.setString(path.get());
}

}  // namespace varnelo
