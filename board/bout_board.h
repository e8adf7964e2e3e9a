#pragma once

// The bout board: the bouts of the last pairing run, kept after the run so that the
// organiser can fix the day's pairing by hand, scratch no-shows and pair late arrivals,
// with every report rewritten from it in the run's own formats.
//
// Wrestlers are numbered by their place on the board, from 0: the run's selection in its
// order, then late arrivals in the order they were paired in. A wrestler never leaves
// the board: a scratched one keeps his place, wrestles no bout and is in no report.
// Bouts are kept in the order they were made (the run's order of creation, then the
// bouts made since); every wrestler's opponents are listed in that order.
//
// Bout numbers are what the organiser has called out and printed: once given, a number
// stays with its bout and is never given again, until the organiser asks for the gaps
// to be closed (RenumberBouts).

#include <cstdint>
#include <string>
#include <vector>

#include "base/fixed_text.h"
#include "pairing/goodness_of_fit.h"
#include "pairing/pairing_control.h"
#include "pairing/pairing_run.h"
#include "roster/roster.h"

namespace kestrio::board {

using text::FixedText;

// Who a board wrestler is in the roster: the entry's names, club and numbers, each
// without blanks. The status is not part of it: a scratch changes the status, not the
// wrestler.
struct WrestlerKey {
  FixedText<40> LastName;
  FixedText<40> FirstName;
  FixedText<15> Club;
  FixedText<10> Weight;
  FixedText<10> Age;
  FixedText<10> Rating;

  friend bool operator==(const WrestlerKey&, const WrestlerKey&) = default;
};

WrestlerKey KeyOf(const roster::Participant& entry);

// The key as one text, equal exactly for equal keys (for looking wrestlers up).
std::string KeyString(const WrestlerKey& key);

// "Smith, John (Eagles)": how messages name a wrestler.
std::string DescribeWrestler(const WrestlerKey& key);

struct BoardWrestler {
  WrestlerKey Key;
  // Names, club and numbers as the reports show them (as the run selected him).
  pairing::SelectedParticipant Shown;
  // What his fit to others is computed from; club mates share a ClubId.
  pairing::FitInputs Fit;
  bool Scratched = false;
};

// One bout. A schedule of mats and times keys on Id, which no change ever alters.
struct Bout {
  // Unique on the board and never given again, also not by RenumberBouts.
  std::int32_t Id = 0;
  // The number called out; negative for a non-optimum bout (made under relaxed limits).
  std::int32_t Number = 0;
  // The round, from 1.
  std::int32_t Round = 0;
  // From the mean of the two weights, as the run computes it.
  std::int32_t WeightClass = 0;
  // The two wrestlers (board places): the one that chose first, as the run lists them.
  std::int32_t First = 0;
  std::int32_t Second = 0;
  // Their goodness of fit under the limits the bout was made under: the organiser's
  // for an optimum bout, the relaxed ones for a non-optimum bout.
  float Fit = 0;
  // Made or changed by the organiser's hand.
  bool MadeByHand = false;
  // Kept as it is by every automatic step (re-pairing after a scratch, late arrivals).
  bool Locked = false;

  bool NonOptimum() const { return Number < 0; }
  bool Has(int wrestler) const { return First == wrestler || Second == wrestler; }
  int Opponent(int wrestler) const { return First == wrestler ? Second : First; }
  friend bool operator==(const Bout&, const Bout&) = default;
};

struct BoutBoard {
  // The limits of the run the board came from; re-pairing uses the same.
  pairing::PairingControl Control;
  std::vector<BoardWrestler> Wrestlers;
  // In the order they were made.
  std::vector<Bout> Bouts;
  // The highest bout number ever given (in magnitude); new bouts take the next ones.
  std::int32_t HighestNumber = 0;
  // The Id the next bout gets.
  std::int32_t NextId = 1;

  bool empty() const { return Wrestlers.empty() && Bouts.empty(); }
};

// The board of a finished run over roster: its wrestlers are the "Selected" entries in
// display order, as the run selected them.
BoutBoard BoardFromRun(const pairing::PairingRun& run, const roster::Roster& roster);
// The same board from a run not wanted after it: the run's bout list is let go as soon as
// the board's bouts are made, so that the two are not held at once (tens of megabytes at
// 50,000 wrestlers). The run is left without its bout list.
BoutBoard BoardFromRun(pairing::PairingRun&& run, const roster::Roster& roster);

// The board in the form every report writer reads: the wrestlers not scratched, in
// board order, as the selection; the bouts in the order they were made; BoutOrder by
// rising number; a round table as wide as the rounds the bouts use. An unedited board gives back
// the run it came from, so its reports are the run's to the byte.
pairing::PairingRun BoardRun(const BoutBoard& board);

// Bouts of every wrestler, by board place.
std::vector<std::int32_t> BoutCounts(const BoutBoard& board);

// The place in Bouts of the bout numbered number (either sign matches), or -1.
int FindBout(const BoutBoard& board, std::int32_t number);

// The board place of the wrestler behind a roster entry: the first one with its key,
// preferring one not scratched; -1 when none.
int FindWrestler(const BoutBoard& board, const WrestlerKey& key);

// The first round, from `from` on, in which neither wrestler has a bout; the bout at
// place `ignore` (when not -1) does not count.
std::int32_t FirstFreeRound(const BoutBoard& board, int a, int b, int ignore = -1,
                            std::int32_t from = 1);

// The number of a bout a and b already wrestle each other in, or 0.
std::int32_t BoutBetween(const BoutBoard& board, int a, int b);

// Their fit under the organiser's limits (relaxed = false) or the relaxed ones.
float FitOf(const BoutBoard& board, int a, int b, bool relaxed);

// Gives club mates the same ClubId, numbering clubs in order of first appearance (as the
// run does); call after adding wrestlers.
void AssignClubIds(BoutBoard& board);

// A wrestler for the board from his roster entry; fails, naming him, when his weight,
// age or rating is not a number. The ClubId is left for AssignClubIds.
Status WrestlerFromEntry(const roster::Participant& entry, BoardWrestler* wrestler);

// The same from his key, as the board file keeps it.
Status WrestlerFromKey(const WrestlerKey& key, BoardWrestler* wrestler);

}  // namespace kestrio::board
