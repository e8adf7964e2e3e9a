#include "ui/board_commands.h"

#include <algorithm>
#include <cstdio>
#include <set>
#include <vector>

#include "board/board_day.h"
#include "board/board_edits.h"
#include "board/board_file.h"
#include "board/board_reports.h"
#include "board/bout_limits.h"
#include "roster/roster_reader.h"
#include "ui/bout_forms.h"
#include "ui/command_ids.h"
#include "ui/selection.h"
#include "ui/undo_history.h"

namespace kestrio::ui {
namespace {

void Say(MessagePort& messages, std::string text, MessageIcon icon = MessageIcon::Exclamation) {
  Message m;
  m.text = std::move(text);
  m.caption = std::string(kBoardCaption);
  m.icon = icon;
  messages.Show(m);
}

// The board wrestlers behind the highlighted rows, in row order, each once.
std::vector<int> HighlightedWrestlers(const BoardContext& c) {
  EntryIndex index(c.roster);
  std::vector<int> places;
  std::set<int> seen;
  for (const int row : c.list.HighlightedRows()) {
    for (const int e : index.Find(c.list.Row(row))) {
      const int place = board::FindWrestler(
          c.day.board, board::KeyOf(c.roster.Entries[static_cast<std::size_t>(e)]));
      if (place >= 0 && seen.insert(place).second) places.push_back(place);
    }
  }
  return places;
}

// Runs op with a change to record into when the command is recorded; keeps what it did.
template <typename Op>
Status Recorded(BoardContext& c, Op op) {
  if (c.changes == nullptr) return op(nullptr);
  board::BoardChange change;
  const Status s = op(&change);
  if (!change.empty()) c.changes->push_back(std::move(change));
  return s;
}

void Name(BoardContext& c, std::string label) {
  if (c.label != nullptr) *c.label = std::move(label);
}

void WriteDay(BoardContext& c) { SaveBoardDay(c); }

void Scratch(BoardContext& c) {
  std::vector<int> places;
  for (const int w : HighlightedWrestlers(c)) {
    if (!c.day.board.Wrestlers[static_cast<std::size_t>(w)].Scratched) places.push_back(w);
  }
  if (places.empty()) {
    Say(c.messages, "Highlight in the list the wrestlers to scratch: wrestlers on the bout board.");
    return;
  }
  std::string said;
  std::vector<std::string> names;
  for (const int w : places) {
    board::ScratchOutcome done;
    const Status s = Recorded(c, [&](board::BoardChange* change) {
      return board::ScratchOnDay(c.day.board, c.roster, w, change, &done);
    });
    if (!s.ok()) {
      said += s.message() + "\n";
      continue;
    }
    names.push_back(done.wrestler);
    if (done.entry >= 0) c.entries_changed.push_back(done.entry);
    said += "Scratched " + done.wrestler + ": " + board::CountBouts(done.bouts_removed) +
            " removed, " + board::CountBouts(done.bouts_added) + " added.\n";
  }
  Name(c, names.size() == 1
              ? "Scratch " + names[0]
              : Counted("Scratch", static_cast<int>(names.size()), "Wrestler", "Wrestlers"));
  WriteDay(c);
  said.pop_back();
  Say(c.messages, said, MessageIcon::None);
}

void PairLate(BoardContext& c) {
  int added = 0, bouts = 0;
  const Status s = Recorded(c, [&](board::BoardChange* change) {
    return board::PairLateOnDay(c.day.board, c.roster, change, &added, &bouts);
  });
  if (!s.ok()) {
    Say(c.messages, s.message());
    return;
  }
  Name(c, "Pair Late Arrivals");
  WriteDay(c);
  Say(c.messages,
      "Late arrivals paired: " + std::to_string(added) + ", " + board::CountBouts(bouts) +
          " added.",
      MessageIcon::None);
}

void AddBout(BoardContext& c) {
  const std::vector<int> two = HighlightedWrestlers(c);
  if (two.size() != 2) {
    Say(c.messages, "Highlight in the list the two wrestlers of the new bout.");
    return;
  }
  AddBoutBetween(c, two[0], two[1]);
}

}  // namespace

void AddBoutBetween(BoardContext& c, int a, int b) {
  if (c.dialogs == nullptr) return;
  AddBoutForm form(c.day.board, a, b, c.messages);
  c.dialogs->RunAddBout(form);
  if (!form.accepted()) return;
  std::int32_t number = 0;
  const Status s = Recorded(c, [&](board::BoardChange* change) {
    return board::AddBoutByHand(c.day.board, a, b, change, &number);
  });
  if (!s.ok()) {
    Say(c.messages, s.message());
    return;
  }
  Name(c, "Add Bout " + std::to_string(number));
  WriteDay(c);
}

namespace {

// Removes the bouts highlighted in the Bouts tab, else the bouts among the wrestlers
// highlighted in the list.
void RemoveBouts(BoardContext& c) {
  const std::vector<int> wrestlers = HighlightedWrestlers(c);
  std::vector<std::int32_t> numbers;
  for (const std::int32_t place : c.highlighted_bouts) {
    numbers.push_back(c.day.board.Bouts[static_cast<std::size_t>(place)].Number);
  }
  for (const board::Bout& bout : c.day.board.Bouts) {
    if (!c.highlighted_bouts.empty()) break;
    const bool first = std::find(wrestlers.begin(), wrestlers.end(), bout.First) != wrestlers.end();
    const bool second =
        std::find(wrestlers.begin(), wrestlers.end(), bout.Second) != wrestlers.end();
    if (first && second) numbers.push_back(bout.Number);
  }
  if (numbers.empty()) {
    Say(c.messages,
        "Highlight in the Bouts tab the bouts to remove, or in the list the two wrestlers of "
        "the bout.");
    return;
  }
  for (const std::int32_t n : numbers) {
    Recorded(c,
             [&](board::BoardChange* change) { return board::RemoveBout(c.day.board, n, change); });
  }
  Name(c, numbers.size() == 1
              ? "Remove Bout " + std::to_string(numbers[0] < 0 ? -numbers[0] : numbers[0])
              : Counted("Remove", static_cast<int>(numbers.size()), "Bout", "Bouts"));
  WriteDay(c);
}

// The bout of Replace Wrestler in Bout: the first highlighted in the Bouts tab, else the
// bout between two wrestlers highlighted in the list; -1 when none.
int BoutToChange(const BoardContext& c, const std::vector<int>& wrestlers) {
  if (!c.highlighted_bouts.empty()) return c.highlighted_bouts.front();
  if (wrestlers.size() != 2) return -1;
  return board::FindBout(c.day.board, board::BoutBetween(c.day.board, wrestlers[0], wrestlers[1]));
}

void ReplaceInBout(BoardContext& c) {
  if (c.dialogs == nullptr) return;
  const std::vector<int> wrestlers = HighlightedWrestlers(c);
  const int place = BoutToChange(c, wrestlers);
  if (place < 0) {
    Say(c.messages,
        "Highlight in the Bouts tab the bout in which a wrestler is to be replaced, or in the "
        "list its two wrestlers.");
    return;
  }
  // A highlighted wrestler of the bout is the one who leaves; a highlighted wrestler
  // outside it is the first choice to come in.
  const board::Bout& bout = c.day.board.Bouts[static_cast<std::size_t>(place)];
  int leaving = -1, coming = -1;
  for (const int w : wrestlers) {
    if (bout.Has(w) && leaving < 0) leaving = w == bout.First ? 0 : 1;
    if (!bout.Has(w) && coming < 0) coming = w;
  }
  ReplaceWrestlerForm form(c.day.board, place, c.messages, std::max(leaving, 0));
  if (coming >= 0) form.ChoosePlace(coming);
  c.dialogs->RunReplaceWrestler(form);
  if (!form.accepted()) return;
  const Status s = Recorded(c, [&](board::BoardChange* change) {
    return board::ReplaceWrestler(c.day.board, form.number(), form.out(), form.in(), change);
  });
  if (!s.ok()) {
    Say(c.messages, s.message());
    return;
  }
  Name(c, "Replace Wrestler in Bout " + std::to_string(std::abs(form.number())));
  WriteDay(c);
}

}  // namespace

bool IsBoardCommand(int command_id) {
  return command_id >= kCmdScratchWrestler && command_id <= kCmdReplaceWrestler;
}

void RunBoardCommand(BoardContext& context, int command_id) {
  switch (command_id) {
    case kCmdScratchWrestler:
      Scratch(context);
      break;
    case kCmdPairLateArrivals:
      PairLate(context);
      break;
    case kCmdAddBout:
      AddBout(context);
      break;
    case kCmdRemoveBout:
      RemoveBouts(context);
      break;
    case kCmdReplaceWrestler:
      ReplaceInBout(context);
      break;
    case kCmdRenumberBouts:
      Recorded(context, [&](board::BoardChange* change) {
        board::RenumberBouts(context.day.board, change);
        return Status::Ok();
      });
      Name(context, "Renumber Bouts");
      WriteDay(context);
      break;
    default:
      break;
  }
}

void SaveBoardDay(BoardContext& c) {
  if (c.day.board.empty()) {
    // Nothing left on the board (the first run taken back): no file to restore it from.
    (void)c.fs.Remove(std::string(board::kBoardFileName));
    return;
  }
  Status s = board::SaveBoardFile(c.fs, c.day.board, c.day.roster_file, &c.day.file_lines);
  if (s.ok()) s = board::WriteBoardReports(c.fs, c.day.board, &c.day.report_blocks).status;
  if (!s.ok()) Say(c.messages, s.message());
}

void KeepRunBoard(BoardContext& context, const pairing::PairingRun& run) {
  context.day.board = board::BoardFromRun(run, context.roster);
  if (Status s = board::SaveBoardFile(context.fs, context.day.board, context.day.roster_file);
      !s.ok()) {
    Say(context.messages, s.message());
  }
}

bool RestoreBoard(BoardContext& context) {
  board::BoutBoard b;
  std::string roster_file;
  Status s = board::LoadBoardFile(context.fs, &b, &roster_file);
  if (s.IsNotFound()) return false;
  roster::Roster roster;
  if (s.ok() && roster_file.empty()) {
    s = Status::BadBoardFile("The bout board " + std::string(board::kBoardFileName) +
                             " names no roster data file: open the roster and run again.");
  }
  if (s.ok()) {
    s = roster::OpenRosterFile(context.fs, roster_file, roster, roster::IgnoreSkippedLines())
            .status;
  }
  if (s.ok()) s = board::MatchRoster(b, roster);
  if (!s.ok()) {
    Say(context.messages, s.message());
    return false;
  }
  context.roster = std::move(roster);
  context.day.board = std::move(b);
  context.day.roster_file = roster_file;
  return true;
}

void ApplyBoardMenuRules(const BoardDay& day, bool rows_displayed, MenuState& state) {
  const bool kept = !day.board.empty();
  state.SetEnabled(kCmdPairLateArrivals, kept);
  state.SetEnabled(kCmdRenumberBouts, kept && !day.board.Bouts.empty());
  state.SetEnabled(kCmdScratchWrestler, kept && rows_displayed);
  state.SetEnabled(kCmdAddBout, kept && rows_displayed);
  state.SetEnabled(kCmdRemoveBout, kept && rows_displayed && !day.board.Bouts.empty());
  state.SetEnabled(kCmdReplaceWrestler, kept && !day.board.Bouts.empty());
}

}  // namespace kestrio::ui
