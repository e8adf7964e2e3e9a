#include "ui/session.h"

namespace kestrio::ui {

struct Session::Impl {};

Session::Session(FileSystem& fs, const Ports& ports, std::optional<VersionInfo> version)
    : fs_(fs), ports_(ports), version_(std::move(version)), impl_(std::make_unique<Impl>()) {}

Session::~Session() = default;

void Session::Start() {
  ResetViewState(view_, roster_);
  ports_.tree.ShowBareTree();
  ports_.list.Clear();
  RecomputeStatusAndMenus();
}

CommandResult Session::Dispatch(int command_id) {
  (void)command_id;
  return CommandResult::NotHandled;
}

void Session::OnTreeSelectionChanged(const TreeNode& node) { (void)node; }
void Session::OnColumnHeaderClicked(int column_id) { (void)column_id; }
void Session::OnRowActivated() {}
void Session::OnLayoutChanged(int splitter_x) {
  view_.SplitterX = splitter_x;
  RecomputeStatusAndMenus();
}
void Session::RefreshViews() { RecomputeStatusAndMenus(); }
void Session::RecomputeStatusAndMenus() { ports_.menu.Apply(menu_state_); }

}  // namespace kestrio::ui
