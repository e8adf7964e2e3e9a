#pragma once

// For the GUI tests and the screenshot driver: act on the next modal window (a message
// box, a file dialog, one of the program's dialogs) once it is open, without blocking
// on its exec().

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

namespace kestrio::platform {

// Calls act with the first modal widget that opens after this call (a modal already open
// now does not count). Gives up silently after timeout_ms.
inline void WhenModalAppears(std::function<void(QWidget*)> act, int timeout_ms = 10000) {
  QPointer<QWidget> before = QApplication::activeModalWidget();
  auto* timer = new QTimer;
  auto waited = std::make_shared<int>(0);
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout,
                   [timer, before, waited, act = std::move(act), timeout_ms] {
                     QWidget* modal = QApplication::activeModalWidget();
                     *waited += 10;
                     if (modal != nullptr && modal != before.data() && modal->isVisible()) {
                       timer->stop();
                       timer->deleteLater();
                       act(modal);
                     } else if (*waited > timeout_ms) {
                       timer->stop();
                       timer->deleteLater();
                     }
                   });
  timer->start();
}

// Answers the next message box with the button and hands its text to *text (if given).
inline void AnswerNextMessage(QMessageBox::StandardButton button, QString* text = nullptr) {
  WhenModalAppears([button, text](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (box == nullptr) return;
    if (text != nullptr) *text = box->text();
    if (QAbstractButton* pressed = box->button(button)) pressed->click();
  });
}

// Chooses the path in an open file dialog. The dialog leaves its name field alone while
// that field has the focus, so the name is typed into it directly; the choice is repeated
// until the dialog has closed.
inline void ChooseFileIn(QFileDialog* dialog, const QString& path) {
  const auto choose = [dialog, path] {
    if (!dialog->isVisible()) return;
    dialog->selectFile(path);
    if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
      name->setText(QFileInfo(path).fileName());
    }
    QMetaObject::invokeMethod(dialog, "accept", Qt::DirectConnection);
  };
  // The retry timer belongs to the dialog and goes with it.
  auto* retry = new QTimer(dialog);
  QObject::connect(retry, &QTimer::timeout, dialog, choose);
  retry->start(100);
  choose();
}

// Chooses the path in the next file dialog.
inline void ChooseFileNext(const QString& path) {
  WhenModalAppears([path](QWidget* modal) {
    if (auto* dialog = qobject_cast<QFileDialog*>(modal)) ChooseFileIn(dialog, path);
  });
}

}  // namespace kestrio::platform
