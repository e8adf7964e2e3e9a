#pragma once

// Every dialog opens centred over the main window and stays on the screen.

class QWidget;

namespace kestrio::platform {

// Moves the dialog so that it is centred over its owner and kept inside the owner's
// screen. The dialog must already have its size (call it from its show event).
void CentreOverOwner(QWidget* dialog, const QWidget* owner);

// Installs a one-shot watcher that centres the dialog over the owner when it is first
// shown; for dialogs built elsewhere (message boxes, file dialogs).
void CentreWhenShown(QWidget* dialog, const QWidget* owner);

}  // namespace kestrio::platform
