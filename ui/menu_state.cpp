#include "ui/menu_port.h"

namespace kestrio::ui {

MenuState::MenuState() {
  for (auto& menu : enabled_) menu.fill(true);
  // "Online Manual" is greyed in the menu itself and no rule ever enables it.
  SetEnabled(MenuId::Help, 2, false);
}

}  // namespace kestrio::ui
