#pragma once

// A day at the desktop session for the scenarios: the fake disk, the scripted dialogs and
// the session over them, with the steps the scenarios take again and again.

#include <gtest/gtest.h>

#include <initializer_list>
#include <set>
#include <string>
#include <vector>

#include "tests/fake_file_system.h"
#include "tests/fake_ui_ports.h"
#include "ui/command_ids.h"
#include "ui/session.h"

namespace kestrio::ui::testing {

class SessionDay : public ::testing::Test {
 protected:
  // The session starts at once, unless the scenario first puts files on the disk or
  // sets the recovery place, and then starts it itself.
  explicit SessionDay(bool start = true) : ui(&fs), session(fs, ui.ports()) {
    if (start) session.Start();
  }

  // File > Open of path, which holds contents.
  void Open(const std::string& path, const std::string& contents) {
    fs.AddFile(path, contents);
    Open(path);
  }
  void Open(const std::string& path) {
    ui.file_dialogs.Choose(path);
    session.Dispatch(kCmdOpen);
  }
  // File > Save Project Data as path: a saved project is what makes the run reachable.
  void SaveProject(const std::string& path) {
    ui.file_dialogs.Choose(path);
    session.Dispatch(kCmdSaveProjectData);
  }
  // Tandrel > Run with Yes to its question; the messages it showed, line by line.
  std::vector<std::string> RunPairing() {
    ui.messages.shown.clear();
    ui.messages.answers = {MessageAnswer::Yes};
    session.Dispatch(kCmdRunPairing);
    return ui.messages.Lines();
  }
  // Highlights the rows of the list that hold wrestlers with these surnames.
  void Highlight(std::initializer_list<std::string> last_names) {
    std::set<int> rows;
    for (int r = 0; r < ui.list.RowCount(); ++r) {
      for (const std::string& name : last_names) {
        if (ui.list.Row(r)[0] == name) rows.insert(r);
      }
    }
    ui.list.Highlight(rows);
  }
  // One column of the list, top to bottom.
  std::vector<std::string> Column(int cell) const {
    std::vector<std::string> out;
    for (const ListRow& row : ui.list.rows) out.push_back(row[static_cast<std::size_t>(cell)]);
    return out;
  }

  FakeFileSystem fs;
  FakeUi ui;
  Session session;
};

}  // namespace kestrio::ui::testing
