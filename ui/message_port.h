#pragma once

// Message boxes: the confirmations, warnings and notices the organiser answers.
//
// Abstract so that tests can script the answers; the desktop front end shows a modal
// box. The text and caption are shown exactly as given.

#include <string>

namespace kestrio::ui {

// SaveDiscardCancel answers Yes for Save and No for Discard.
enum class MessageButtons { Ok, YesNoCancel, YesNo, SaveDiscardCancel };
enum class MessageIcon { None, Question, Exclamation };
// Action: the box's extra button (Message::action_button) was pressed.
enum class MessageAnswer { Ok, Yes, No, Cancel, Action };

struct Message {
  std::string text;
  std::string caption;
  MessageButtons buttons = MessageButtons::Ok;
  MessageIcon icon = MessageIcon::None;
  // False for the boxes that have no owner window (file-dialog failures, control
  // parameter messages, skipped roster lines): the front end centres them on the screen.
  bool owned_by_main_window = true;
  // When not empty, an extra button with this caption beside the others ("Show Pairing
  // Exceptions"); pressing it answers Action.
  std::string action_button;
};

class MessagePort {
 public:
  virtual ~MessagePort() = default;
  // Shows the box modally and returns the button pressed. Closing the box without a
  // button counts as Cancel for YesNoCancel and SaveDiscardCancel, No for YesNo and Ok for Ok.
  virtual MessageAnswer Show(const Message& message) = 0;
};

}  // namespace kestrio::ui
