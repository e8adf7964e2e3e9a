#include "board/board_day.h"

#include "base/fixed_text.h"
#include "board/repairing.h"

namespace kestrio::board {

Status FindWrestlerByName(const BoutBoard& board, std::string_view name, int* place) {
  std::vector<std::string_view> parts;
  for (std::string_view rest = name;;) {
    const std::size_t bar = rest.find('|');
    parts.push_back(rest.substr(0, bar));
    if (bar == std::string_view::npos) break;
    rest.remove_prefix(bar + 1);
  }
  if (parts.size() == 2) parts.emplace_back();
  if (parts.size() != 3) {
    return Status::Refused("\"" + std::string(name) +
                           "\" does not name a wrestler as LAST|FIRST|CLUB.");
  }
  int found = -1;
  for (std::size_t w = 0; w < board.Wrestlers.size(); ++w) {
    const WrestlerKey& key = board.Wrestlers[w].Key;
    if (!text::EqualWithoutBlanks(key.LastName.view(), parts[0]) ||
        !text::EqualWithoutBlanks(key.FirstName.view(), parts[1]) ||
        !text::EqualWithoutBlanks(key.Club.view(), parts[2])) {
      continue;
    }
    if (!board.Wrestlers[w].Scratched) {
      found = static_cast<int>(w);
      break;
    }
    if (found < 0) found = static_cast<int>(w);
  }
  if (found < 0) {
    return Status::Refused("Nobody named \"" + std::string(name) + "\" is on the bout board.");
  }
  *place = found;
  return Status::Ok();
}

int EntryOf(const roster::Roster& roster, const WrestlerKey& key, std::string_view status) {
  for (const std::int32_t e : roster.DisplayOrder) {
    const roster::Participant& p = roster.Entries[static_cast<std::size_t>(e)];
    if (text::EqualWithoutBlanks(p.Status.view(), status) && KeyOf(p) == key) return e;
  }
  return -1;
}

Status ScratchOnDay(BoutBoard& board, roster::Roster& roster, int place, BoardChange* change,
                    ScratchOutcome* outcome) {
  const std::size_t before = board.Bouts.size();
  BoardChange local;
  BoardChange* recorded = change != nullptr ? change : &local;
  if (Status s = ScratchWrestler(board, place, recorded); !s.ok()) return s;
  const WrestlerKey& key = board.Wrestlers[static_cast<std::size_t>(place)].Key;
  const int entry = EntryOf(roster, key, roster::ParticipantStatus::Selected);
  if (entry >= 0) {
    roster::Participant& p = roster.Entries[static_cast<std::size_t>(entry)];
    roster::SetStatus(p, roster::ParticipantStatus::Scratched);
  }
  if (outcome != nullptr) {
    outcome->wrestler = DescribeWrestler(key);
    outcome->bouts_removed = static_cast<int>(recorded->Removed.size());
    outcome->bouts_added = static_cast<int>(board.Bouts.size() + recorded->Removed.size() - before);
    outcome->entry = entry;
  }
  return Status::Ok();
}

Status PairLateOnDay(BoutBoard& board, const roster::Roster& roster, BoardChange* change,
                     int* added, int* bouts) {
  const std::size_t before = board.Bouts.size();
  const std::vector<int> arrivals = LateArrivals(board, roster);
  if (Status s = PairLateArrivals(board, roster, arrivals, change); !s.ok()) return s;
  if (added != nullptr) *added = static_cast<int>(arrivals.size());
  if (bouts != nullptr) *bouts = static_cast<int>(board.Bouts.size() - before);
  return Status::Ok();
}

std::string CountBouts(int n) { return std::to_string(n) + (n == 1 ? " bout" : " bouts"); }

}  // namespace kestrio::board
