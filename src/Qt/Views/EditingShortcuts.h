// Varnelo's own editing shortcuts for a Qt key event: the action the shortcut names is
// called as a slot on the responder (a line edit has cut, copy, paste, selectAll, undo and
// redo). Qt reports ⌘ on a Mac as the Control modifier. Answers whether it was handled;
// an unhandled key goes on to the widget. GUI thread only.
#pragma once

class QKeyEvent;
class QObject;

namespace varnelo::qt {

bool sendEditingShortcut(const QKeyEvent& event, QObject& responder);

}  // namespace varnelo::qt
