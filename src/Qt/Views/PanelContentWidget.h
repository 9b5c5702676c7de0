// The widget that draws a panel's content, chosen by the content's type, for the live
// panels and for pictures alike. Main (GUI) thread only; what the content points at must
// outlive the widget.
#pragma once

#include <QWidget>
#include <memory>

#include "Overlay/PathBarPresentation.h"
#include "Platform/Panels.h"

namespace varnelo::qt {

// What a bar panel shows besides its model, read from its source now.
PathBarContext barContextOf(const PathBarContent& content);
// Null for a content that points at nothing.
std::unique_ptr<QWidget> createPanelContentWidget(const PanelContent& content);

}  // namespace varnelo::qt
