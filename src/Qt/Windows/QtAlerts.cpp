#include "Qt/Windows/QtAlerts.h"

#include <QDialog>
#include <QVBoxLayout>

#include "Qt/Views/AlertView.h"

namespace varnelo::qt {

void QtAlerts::show(Alert alert, std::function<void(std::size_t button)> answered) {
  auto* dialog = new QDialog(nullptr, Qt::Dialog | Qt::FramelessWindowHint);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->setAttribute(Qt::WA_TranslucentBackground);
  dialog->setWindowModality(Qt::ApplicationModal);
  auto* layout = new QVBoxLayout(dialog);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* view = new AlertView(
      std::move(alert),
      [dialog, answered = std::move(answered)](std::size_t button) {
        dialog->close();
        if (answered) answered(button);
      },
      dialog);
  layout->addWidget(view);
  dialog->setFixedSize(view->sizeHint());
  dialog->open();
}

}  // namespace varnelo::qt
