#include "ui/bout_forms.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "board/board_day.h"
#include "board/board_edits.h"

namespace kestrio::ui {
namespace {

std::string Decimals(double v, int decimals) {
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, v);
  return buffer;
}

struct LimitCaption {
  const char* caption;
  int decimals;
};

// In the order of board::Limit, worded as the parameters dialog words them.
constexpr LimitCaption kLimitCaptions[] = {
    {"Weight difference (%)", 1},   {"Age difference (Yrs)", 1},
    {"Rating difference (Pts)", 1}, {"Goodness of fit (minimum)", 3},
    {"Bouts allowed (most)", 0},    {"Bouts wanted (fewest)", 0},
    {"Bouts wanted (most)", 0},     {"Same-club pairing factor", 2},
};

bool Ask(MessagePort& messages, std::string_view caption, std::string_view question) {
  Message ask;
  ask.text = std::string(question);
  ask.caption = std::string(caption);
  ask.buttons = MessageButtons::YesNo;
  ask.icon = MessageIcon::Question;
  return messages.Show(ask) == MessageAnswer::Yes;
}

bool Holds(std::string_view text, std::string_view find) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
  return std::search(text.begin(), text.end(), find.begin(), find.end(),
                     [&](char x, char y) { return lower(x) == lower(y); }) != text.end();
}

}  // namespace

WrestlerText DescribeForDialog(const board::BoutBoard& board, int place, std::int32_t bouts) {
  const board::BoardWrestler& w = board.Wrestlers[static_cast<std::size_t>(place)];
  WrestlerText text;
  text.name = std::string(w.Key.LastName.WithoutBlanks()) + ", " +
              std::string(w.Key.FirstName.WithoutBlanks());
  text.club = std::string(w.Key.Club.WithoutBlanks());
  text.numbers = "weight " + std::string(w.Key.Weight.WithoutBlanks()) + ", age " +
                 std::string(w.Key.Age.WithoutBlanks()) + ", rating " +
                 std::string(w.Key.Rating.WithoutBlanks());
  text.bouts = board::CountBouts(bouts);
  return text;
}

std::vector<LimitRow> LimitRows(const board::BoutProposal& proposal) {
  std::vector<LimitRow> rows;
  for (const board::LimitCheck& check : proposal.limits) {
    const LimitCaption& c = kLimitCaptions[static_cast<int>(check.limit)];
    LimitRow row;
    row.limit = c.caption;
    // The club-mate factor is no number of the bout's own: the row says whether the two
    // are club mates, beside the factor allowed for those who are.
    if (check.limit == board::Limit::SameClubPairingWeight) {
      row.value = proposal.club_mates ? "club mates" : "different clubs";
    } else {
      row.value = Decimals(check.value, c.decimals);
    }
    row.allowed = Decimals(check.allowed, c.decimals);
    row.broken = check.broken;
    row.hard = check.broken && check.hard;
    row.verdict = !check.broken ? "kept" : check.hard ? "broken (hard limit)" : "broken";
    rows.push_back(std::move(row));
  }
  return rows;
}

std::string FitText(const board::BoutBoard& board, const board::BoutProposal& proposal) {
  if (proposal.Optimum(board.Control)) return Decimals(proposal.fit, 2);
  return Decimals(proposal.fit, 2) + " (non-optimum; " + Decimals(proposal.relaxed_fit, 2) +
         " under the relaxed limits)";
}

AddBoutForm::AddBoutForm(const board::BoutBoard& board, int a, int b, MessagePort& messages)
    : messages_(messages), proposal_(board::ProposeBout(board, a, b)) {
  first = DescribeForDialog(board, a, proposal_.count_a);
  second = DescribeForDialog(board, b, proposal_.count_b);
  fit = FitText(board, proposal_);
  limits = LimitRows(proposal_);
  const std::int32_t number =
      (board.HighestNumber + 1) * (proposal_.Optimum(board.Control) ? 1 : -1);
  placing = "Bout " + std::to_string(number) + " in round " +
            std::to_string(board::FirstFreeRound(board, a, b));
  if (proposal_.met_in != 0) {
    refusal = "They already wrestle each other in bout " + std::to_string(proposal_.met_in) + ".";
  } else if (board.Wrestlers[static_cast<std::size_t>(a)].Scratched ||
             board.Wrestlers[static_cast<std::size_t>(b)].Scratched) {
    refusal = "A scratched wrestler wrestles no bout.";
  }
}

bool AddBoutForm::Add() {
  if (!can_add()) return false;
  if (proposal_.BreaksHardLimit() && !Ask(messages_, kAddBoutTitle, kHardLimitQuestion))
    return false;
  accepted_ = true;
  return true;
}

bool AddBoutForm::Cancel() {
  accepted_ = false;
  return true;
}

ReplaceWrestlerForm::ReplaceWrestlerForm(const board::BoutBoard& board, int bout_place,
                                         MessagePort& messages, int leaving)
    : board_(board), messages_(messages), bout_place_(bout_place), without_(board) {
  const board::Bout& b = board.Bouts[static_cast<std::size_t>(bout_place)];
  number_ = b.Number;
  bout = "Bout " + std::to_string(b.Number) + ", round " + std::to_string(b.Round) +
         ", weight class " + std::to_string(b.WeightClass);
  const std::vector<std::int32_t> counts = board::BoutCounts(board);
  sides[0] = DescribeForDialog(board, b.First, counts[static_cast<std::size_t>(b.First)]);
  sides[1] = DescribeForDialog(board, b.Second, counts[static_cast<std::size_t>(b.Second)]);
  without_.Bouts.erase(without_.Bouts.begin() + bout_place);
  counts_ = board::BoutCounts(without_);
  SetLeaving(leaving);
}

int ReplaceWrestlerForm::Staying() const {
  const board::Bout& b = board_.Bouts[static_cast<std::size_t>(bout_place_)];
  return leaving_ == 0 ? b.Second : b.First;
}

void ReplaceWrestlerForm::SetLeaving(int side) {
  leaving_ = side == 1 ? 1 : 0;
  const board::Bout& b = board_.Bouts[static_cast<std::size_t>(bout_place_)];
  const int stay = Staying();
  // Whom the one who stays meets elsewhere on the board.
  std::vector<bool> met(board_.Wrestlers.size(), false);
  for (const board::Bout& other : without_.Bouts) {
    if (other.Has(stay)) met[static_cast<std::size_t>(other.Opponent(stay))] = true;
  }
  candidates_.clear();
  for (std::size_t w = 0; w < board_.Wrestlers.size(); ++w) {
    const int place = static_cast<int>(w);
    if (board_.Wrestlers[w].Scratched || b.Has(place) || met[w]) continue;
    Candidate c;
    c.place = place;
    c.text = DescribeForDialog(board_, place, counts_[w]);
    c.fit_value = board::FitOf(board_, stay, place, false);
    c.relaxed_fit = board::FitOf(board_, stay, place, true);
    c.fit = c.fit_value > board_.Control.MinGoodnessOfFitAllowed
                ? Decimals(c.fit_value, 2)
                : Decimals(c.relaxed_fit, 2) + " relaxed";
    candidates_.push_back(std::move(c));
  }
  // Those within the organiser's limits first, then those within the relaxed ones.
  std::stable_sort(candidates_.begin(), candidates_.end(),
                   [](const Candidate& x, const Candidate& y) {
                     if (x.fit_value != y.fit_value) return x.fit_value > y.fit_value;
                     return x.relaxed_fit > y.relaxed_fit;
                   });
  chosen_ = -1;
  Refill();
}

void ReplaceWrestlerForm::SetFind(std::string_view text) {
  find_ = std::string(text);
  Refill();
}

void ReplaceWrestlerForm::Refill() {
  shown_.clear();
  for (std::size_t i = 0; i < candidates_.size(); ++i) {
    const WrestlerText& t = candidates_[i].text;
    if (find_.empty() || Holds(t.name, find_) || Holds(t.club, find_)) {
      shown_.push_back(static_cast<int>(i));
    }
  }
  Choose(std::find(shown_.begin(), shown_.end(), chosen_) != shown_.end() ? chosen_ : -1);
}

void ReplaceWrestlerForm::Choose(int index) {
  chosen_ = index >= 0 && index < static_cast<int>(candidates_.size()) ? index : -1;
  chosen_limits_.clear();
  if (chosen_ < 0) return;
  proposal_ =
      board::ProposeBout(without_, Staying(), candidates_[static_cast<std::size_t>(chosen_)].place);
  chosen_limits_ = LimitRows(proposal_);
}

bool ReplaceWrestlerForm::ChoosePlace(int place) {
  for (std::size_t i = 0; i < candidates_.size(); ++i) {
    if (candidates_[i].place != place) continue;
    Choose(static_cast<int>(i));
    return true;
  }
  return false;
}

bool ReplaceWrestlerForm::Replace() {
  if (chosen_ < 0) {
    Message m;
    m.text = "Choose the wrestler who takes the place of " + sides[leaving_].name + ".";
    m.caption = std::string(kReplaceWrestlerTitle);
    m.icon = MessageIcon::Exclamation;
    messages_.Show(m);
    return false;
  }
  if (proposal_.BreaksHardLimit() &&
      !Ask(messages_, kReplaceWrestlerTitle, kHardLimitReplaceQuestion))
    return false;
  const board::Bout& b = board_.Bouts[static_cast<std::size_t>(bout_place_)];
  out_ = leaving_ == 0 ? b.First : b.Second;
  in_ = candidates_[static_cast<std::size_t>(chosen_)].place;
  accepted_ = true;
  return true;
}

bool ReplaceWrestlerForm::Cancel() {
  accepted_ = false;
  return true;
}

}  // namespace kestrio::ui
