#include "Overlay/BookmarkPopover.h"

#include <algorithm>

namespace varnelo {
namespace {

namespace Metrics = BookmarkPopoverMetrics;

// Where the star button sits on the bar, so that the popover opens over it.
constexpr double kStarCenter = 95;

}  // namespace

BookmarkPopover::BookmarkPopover(Panels& panels, BookmarkStore& store)
    : panels_(panels), store_(store) {
  storeChanged_ = store_.subscribe([this](const auto&) { fit(); });
}

void BookmarkPopover::toggle(PathBarViewModel& bar, const Rect& barFrame) {
  if (bar_ == &bar) return close();
  if (!panel_) {
    panel_ = panels_.create({size(), true, false, true}, BookmarkPopoverContent{this});
    panel_->onResignKey = [this] { close(); };
    panel_->onCancel = [this] { close(); };
  }
  bar_ = &bar;
  barFrame_ = barFrame;
  fit();
  panel_->orderFront();
}

void BookmarkPopover::close() {
  bar_ = nullptr;
  if (panel_) panel_->orderOut();
}

void BookmarkPopover::forget(const PathBarViewModel& bar) {
  if (bar_ == &bar) close();
}

BookmarkListPresentation BookmarkPopover::presentation() const {
  return presentBookmarkList(store_.items(), bar_ ? bar_->path.get() : std::string());
}

void BookmarkPopover::toggleCurrent() {
  if (bar_) store_.toggle(bar_->path.get());
}

void BookmarkPopover::choose(const std::string& path) {
  PathBarViewModel* bar = bar_;
  close();
  if (bar && bar->onNavigate) bar->onNavigate(path);
}

void BookmarkPopover::remove(const std::string& path) { store_.remove(path); }

Size BookmarkPopover::size() const {
  const auto shown = presentation();
  const double rows =
      shown.rows.empty()
          ? Metrics::kRowHeight
          : std::min(Metrics::kListMaxHeight, Metrics::kRowHeight * double(shown.rows.size()));
  return {Metrics::kWidth, 4 * Metrics::kPadding + Metrics::kRowHeight + rows};
}

void BookmarkPopover::fit() {
  if (!panel_ || !bar_) return;
  const Size wanted = size();
  const double x = std::max(barFrame_.x, barFrame_.x + kStarCenter - wanted.width / 2);
  panel_->setFrame({x, barFrame_.maxY(), wanted.width, wanted.height});
}

}  // namespace varnelo
