#include "Qt/Views/EditingShortcuts.h"

#include <QKeyEvent>
#include <QMetaObject>

#include "Dialog/EditingKeyEquivalents.h"

namespace varnelo::qt {

bool sendEditingShortcut(const QKeyEvent& event, QObject& responder) {
  namespace Keys = EditingKeyEquivalents;
  Keys::KeyEvent key;
  key.isKeyDown = event.type() == QEvent::KeyPress;
  if (event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z) {
    key.charactersIgnoringModifiers = std::string(1, char('a' + (event.key() - Qt::Key_A)));
  } else if (!event.text().isEmpty()) {
    key.charactersIgnoringModifiers = event.text().toStdString();
  }
  const Qt::KeyboardModifiers modifiers = event.modifiers();
  if (modifiers & Qt::ControlModifier) key.modifierFlags |= Keys::Modifier::command;
  if (modifiers & Qt::ShiftModifier) key.modifierFlags |= Keys::Modifier::shift;
  if (modifiers & Qt::AltModifier) key.modifierFlags |= Keys::Modifier::option;
  if (modifiers & Qt::MetaModifier) key.modifierFlags |= Keys::Modifier::control;
  return Keys::handle(key, [&responder](const std::string& action) {
    const std::string slot = action.substr(0, action.size() - 1);  // "copy:" → "copy"
    return QMetaObject::invokeMethod(&responder, slot.c_str());
  });
}

}  // namespace varnelo::qt
