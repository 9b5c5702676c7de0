#include "Qt/Views/PanelContentWidget.h"

#include "Qt/Views/BookmarkPopoverWidget.h"
#include "Qt/Views/CenterStripWidget.h"
#include "Qt/Views/PathBarWidget.h"
#include "Qt/Views/WindowDecorations.h"

namespace varnelo::qt {

PathBarContext barContextOf(const PathBarContent& content) {
  PathBarContext context =
      content.context ? content.context->barContext(content.window) : PathBarContext{};
  context.resizable = content.resizable;
  return context;
}

std::unique_ptr<QWidget> createPanelContentWidget(const PanelContent& content) {
  if (const auto* bar = std::get_if<PathBarContent>(&content); bar && bar->model) {
    return std::make_unique<PathBarWidget>(*bar->model, barContextOf(*bar));
  }
  if (const auto* patch = std::get_if<CornerPatchContent>(&content); patch && patch->model) {
    return std::make_unique<CornerPatchWidget>(*patch);
  }
  if (const auto* strip = std::get_if<StripContent>(&content); strip && strip->model) {
    return std::make_unique<CenterStripWidget>(*strip->model);
  }
  if (std::holds_alternative<StripShadowContent>(content)) {
    return std::make_unique<StripShadowWidget>();
  }
  if (const auto* tooltip = std::get_if<TooltipContent>(&content)) {
    return std::make_unique<StripTooltipWidget>(QString::fromStdString(tooltip->text));
  }
  if (const auto* popover = std::get_if<BookmarkPopoverContent>(&content);
      popover && popover->popover) {
    return std::make_unique<BookmarkPopoverWidget>(*popover->popover);
  }
  return nullptr;
}

}  // namespace varnelo::qt
