#pragma once

// The session's private helpers, shared by the files that implement its commands.

#include "ui/session.h"
#include "ui/tree_view.h"

namespace kestrio::ui {

struct Session::Impl {
  TreeLeaves leaves;
};

}  // namespace kestrio::ui
