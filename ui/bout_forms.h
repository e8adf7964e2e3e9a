#pragma once

// The two dialogs of bouts made by hand, as form models: "Add Bout" (a bout between two
// wrestlers, with their fit, their bouts and each of the eight limits the bout would
// break) and "Replace Wrestler in Bout" (one side of a bout taken by another wrestler).
//
// The front end shows the texts and lists, binds its choices to the public fields and
// calls the button methods; a dialog stays open until a button method returns true.
// Breaking a hard limit asks the organiser through the message port first; No keeps the
// dialog open. The forms change nothing: the caller makes the bout once accepted().
//
// board and messages must outlive the form, and the board must not change while it is
// open.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "board/bout_board.h"
#include "board/bout_limits.h"
#include "ui/message_port.h"

namespace kestrio::ui {

inline constexpr std::string_view kAddBoutTitle = "Kestrio Add Bout";
inline constexpr std::string_view kReplaceWrestlerTitle = "Kestrio Replace Wrestler in Bout";
inline constexpr std::string_view kHardLimitQuestion =
    "The bout breaks a hard limit. Add it anyway?";
inline constexpr std::string_view kHardLimitReplaceQuestion =
    "The bout breaks a hard limit. Replace the wrestler anyway?";

// A wrestler as the dialogs show him.
struct WrestlerText {
  std::string name;     // "Smith, John"
  std::string club;     // "Eagles"
  std::string numbers;  // "weight 61.5, age 11, rating 2.00", as the roster has them
  std::string bouts;    // "2 bouts"
};

WrestlerText DescribeForDialog(const board::BoutBoard& board, int place, std::int32_t bouts);

// One of the eight limits, as a row of the dialog's table.
struct LimitRow {
  std::string limit;    // "Weight difference (%)"
  std::string value;    // what the bout has ("club mates" or "different clubs" for the
                        // same-club factor)
  std::string allowed;  // the organiser's limit
  std::string verdict;  // "kept", "broken", "broken (hard limit)"
  bool broken = false;
  bool hard = false;
};

std::vector<LimitRow> LimitRows(const board::BoutProposal& proposal);

// "0.62" or "0.05 (non-optimum)", the fit as the reports write it.
std::string FitText(const board::BoutBoard& board, const board::BoutProposal& proposal);

class AddBoutForm {
 public:
  // a and b: board places of two different wrestlers.
  AddBoutForm(const board::BoutBoard& board, int a, int b, MessagePort& messages);

  WrestlerText first;
  WrestlerText second;
  std::string fit;
  // Where the bout goes: "Bout 10002 in round 3" (negative when non-optimum).
  std::string placing;
  std::vector<LimitRow> limits;
  // Why the bout cannot be made ("They already wrestle each other in bout 12."), or
  // empty.
  std::string refusal;

  bool can_add() const { return refusal.empty(); }
  // Accepts the bout; with a hard limit broken only when the organiser says Yes.
  bool Add();
  bool Cancel();

  bool accepted() const { return accepted_; }
  int a() const { return proposal_.a; }
  int b() const { return proposal_.b; }

 private:
  MessagePort& messages_;
  board::BoutProposal proposal_;
  bool accepted_ = false;
};

class ReplaceWrestlerForm {
 public:
  // bout_place: the bout's place in board.Bouts. leaving: the side (0 the first
  // wrestler, 1 the second) that first shows as the one to leave.
  ReplaceWrestlerForm(const board::BoutBoard& board, int bout_place, MessagePort& messages,
                      int leaving = 0);

  // "Bout 12, round 2, weight class 75"
  std::string bout;
  WrestlerText sides[2];

  // A wrestler who may come in: not scratched, not in the bout, not already wrestling
  // the one who stays.
  struct Candidate {
    int place = -1;
    WrestlerText text;
    // The fit under the organiser's limits, or "0.12 relaxed" for a non-optimum bout.
    std::string fit;
    float fit_value = 0;
    float relaxed_fit = 0;
  };
  // Every candidate, best fit to the one who stays first: under the organiser's limits,
  // then under the relaxed ones (board order among equals).
  const std::vector<Candidate>& candidates() const { return candidates_; }
  // Those whose name or club holds the find text (all of them when it is empty).
  const std::vector<int>& shown() const { return shown_; }

  int leaving() const { return leaving_; }
  // Chooses the side that leaves; the candidates follow, nobody chosen.
  void SetLeaving(int side);
  void SetFind(std::string_view text);
  // Chooses candidates()[index], or nobody with -1.
  void Choose(int index);
  // Chooses the candidate at this board place, when he is one; false when not.
  bool ChoosePlace(int place);
  int chosen() const { return chosen_; }
  // The limits the bout would break with the chosen one in it (empty with nobody).
  const std::vector<LimitRow>& chosen_limits() const { return chosen_limits_; }

  // Accepts the choice; says so and stays open when nobody is chosen; asks on a hard
  // limit.
  bool Replace();
  bool Cancel();

  bool accepted() const { return accepted_; }
  std::int32_t number() const { return number_; }
  int out() const { return out_; }
  int in() const { return in_; }

 private:
  int Staying() const;
  void Refill();

  const board::BoutBoard& board_;
  MessagePort& messages_;
  const int bout_place_;
  std::int32_t number_ = 0;
  // The board without this bout: counts and meetings as they would be after the change.
  board::BoutBoard without_;
  std::vector<std::int32_t> counts_;
  int leaving_ = 0;
  std::string find_;
  std::vector<Candidate> candidates_;
  std::vector<int> shown_;
  int chosen_ = -1;
  board::BoutProposal proposal_;
  std::vector<LimitRow> chosen_limits_;
  bool accepted_ = false;
  int out_ = -1;
  int in_ = -1;
};

}  // namespace kestrio::ui
