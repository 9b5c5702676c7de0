// Collapses the Finder sidebars of the pane windows and gives them back at the width they
// had, keeping those widths under "CollapsedSidebarWidths" so that a launch after a crash
// repairs what was left collapsed. Script failures are ignored: a failed width read counts
// as no width. Main thread only; held by std::shared_ptr, every completion holds it weakly.
//
// Ordering rules:
//   1. hide() of a window not yet remembered stores its width before its collapse is
//      queued, and the collapse follows the read on the scripting queue.
//   2. restoreAll() and recoverFromPreviousRun() forget the widths in memory at once, but
//      clear the stored record only from the completion of the last give-back script
//      queued, and only while no width is remembered (one remembered meanwhile has stored
//      its own record): a quit that ends before Finder answers leaves the record for the
//      next launch.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "Platform/UserDefaults.h"
#include "Scripting/FinderScripting.h"

namespace varnelo {

inline constexpr const char* kSidebarWantsHiddenKey = "SidebarWantsHidden";
inline constexpr const char* kCollapsedSidebarWidthsKey = "CollapsedSidebarWidths";

class SidebarController : public std::enable_shared_from_this<SidebarController> {
 public:
  // For a width unknown, absent or not positive.
  static constexpr std::int64_t defaultWidth = 150;

  // Reads the wish from "SidebarWantsHidden" (true unless a Boolean says otherwise), not
  // the stored widths. Borrows the defaults, which must outlive the controller.
  SidebarController(std::shared_ptr<FinderScripting> scripting, UserDefaults& defaults);
  SidebarController(const SidebarController&) = delete;
  SidebarController& operator=(const SidebarController&) = delete;

  // True: pane windows are to have their sidebar collapsed.
  bool wantsHidden() const { return wantsHidden_; }
  // Flips and stores the wish and logs it; touches no window (the caller applies it).
  void toggle();

  // By script window id, in order. A window already remembered is collapsed without
  // reading its width again.
  void hide(const std::vector<ScriptID>& windowIDs);
  // Leaves the remembered widths as they are, so a later hide() keeps the first width.
  void restore(const std::vector<ScriptID>& windowIDs);
  // Gives every remembered window its width back and forgets them all (rule 2).
  void restoreAll();
  // At launch: gives back the widths a previous run left stored (rule 2), and remembers
  // none of them. A stored value that is not a dictionary of integers is left alone.
  void recoverFromPreviousRun();

  // Script window id → width before the collapse.
  const std::map<ScriptID, std::int64_t>& originalWidths() const { return originalWidths_; }
  // For a destroyed window: forgets its width and stores the rest. An id not remembered
  // writes nothing, so a give-back still under way keeps its stored record.
  void forget(ScriptID windowID);
  // Replaces the stored record with the remembered widths.
  void persist();

 private:
  // What the last give-back's completion does to the stored record.
  enum class Clearing { storeEmptyRecord, removeRecord };

  void remember(ScriptID windowID, std::optional<std::int64_t> width);
  void giveBack(ScriptID windowID, std::int64_t width);
  void givenBack();
  void clearRecord();

  const std::shared_ptr<FinderScripting> scripting_;
  UserDefaults& defaults_;
  std::map<ScriptID, std::int64_t> originalWidths_;
  bool wantsHidden_ = true;
  int pendingGiveBacks_ = 0;
  Clearing clearing_ = Clearing::storeEmptyRecord;
};

}  // namespace varnelo
