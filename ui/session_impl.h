#pragma once

// The session's private helpers, shared by the files that implement its commands.

#include "ui/board_commands.h"
#include "ui/session.h"
#include "ui/tree_view.h"

namespace kestrio::ui {

struct Session::Impl {
  TreeLeaves leaves;
  // The bout board of the day: the last run's, changed since.
  BoardDay day;
};

}  // namespace kestrio::ui
