// The Add Bout and Replace Wrestler dialogs' forms: what they show of the two wrestlers
// and the limits, when they ask, and whom a replacement may bring in.

#include "ui/bout_forms.h"

#include <gtest/gtest.h>

#include "board/board_day.h"
#include "board/board_edits.h"
#include "board/repairing.h"
#include "testing/random_board.h"
#include "tests/fake_ui_ports.h"

namespace kestrio::ui {
namespace {

using testing::FakeMessages;

// The six-wrestler board of the edit tests.
class BoutForms : public ::testing::Test {
 protected:
  BoutForms() : board(kestrio::testing::SixWrestlerBoard()) {}

  // The board place of the wrestler with this surname.
  int Place(std::string_view surname) const {
    for (std::size_t w = 0; w < board.Wrestlers.size(); ++w) {
      if (board.Wrestlers[w].Key.LastName.WithoutBlanks() == surname) return static_cast<int>(w);
    }
    return -1;
  }

  int BoutOf(int w) const {
    for (std::size_t i = 0; i < board.Bouts.size(); ++i) {
      if (board.Bouts[i].Has(w)) return static_cast<int>(i);
    }
    return -1;
  }

  board::BoutBoard board;
  FakeMessages messages;
};

TEST_F(BoutForms, AddBoutShowsBothWrestlersTheFitAndEveryLimit) {
  const int adams = Place("Adams"), ford = Place("Ford");
  AddBoutForm form(board, adams, ford, messages);
  EXPECT_EQ(form.first.name, "Adams, Al");
  EXPECT_EQ(form.first.club, "Tigers");
  EXPECT_EQ(form.second.numbers, "weight 95.00, age 14.00, rating 4.00");
  EXPECT_EQ(form.first.bouts, board::CountBouts(board::BoutCounts(board)[adams]));
  // Far apart: a non-optimum bout, numbered negative after the highest number.
  EXPECT_NE(form.fit.find("(non-optimum; "), std::string::npos) << form.fit;
  EXPECT_EQ(
      form.placing.rfind("Bout -" + std::to_string(board.HighestNumber + 1) + " in round ", 0), 0u)
      << form.placing;
  ASSERT_EQ(form.limits.size(), 8u);
  EXPECT_EQ(form.limits[0].limit, "Weight difference (%)");
  EXPECT_EQ(form.limits[0].value, "36.8");  // 35 of 95
  EXPECT_EQ(form.limits[0].allowed, "10.0");
  EXPECT_EQ(form.limits[0].verdict, "broken (hard limit)");
  EXPECT_EQ(form.limits[3].verdict, "broken");  // the fit: a preference only
  EXPECT_EQ(form.limits[7].value, "different clubs");
  EXPECT_EQ(form.limits[7].allowed, "0.00");
  EXPECT_EQ(form.limits[7].verdict, "kept");

  // A hard limit asks; No keeps the dialog open, Yes accepts.
  messages.answers = {MessageAnswer::No, MessageAnswer::Yes};
  EXPECT_FALSE(form.Add());
  EXPECT_FALSE(form.accepted());
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, kHardLimitQuestion);
  EXPECT_TRUE(form.Add());
  EXPECT_TRUE(form.accepted());
}

TEST_F(BoutForms, AddBoutWithinTheLimitsAsksNothingAndAPairThatMetCannotBeAdded) {
  const board::Bout& met = board.Bouts[0];
  AddBoutForm again(board, met.First, met.Second, messages);
  EXPECT_FALSE(again.can_add());
  EXPECT_EQ(again.refusal,
            "They already wrestle each other in bout " + std::to_string(met.Number) + ".");
  EXPECT_FALSE(again.Add());
  EXPECT_TRUE(messages.shown.empty());

  // Club mates of different weights within 10%: the hard same-club rule (factor 0).
  AddBoutForm mates(board, Place("Adams"), Place("Dunn"), messages);
  EXPECT_EQ(mates.limits[7].value, "club mates");
  EXPECT_EQ(mates.limits[7].verdict, "broken (hard limit)");
  board.Control.SameClubPairingWeight = 1;
  AddBoutForm allowed(board, Place("Adams"), Place("Dunn"), messages);
  EXPECT_EQ(allowed.limits[7].value, "club mates");
  EXPECT_EQ(allowed.limits[7].verdict, "kept");
  if (board::BoutBetween(board, Place("Adams"), Place("Dunn")) == 0) {
    EXPECT_TRUE(allowed.Add());
    EXPECT_TRUE(messages.shown.empty());
  }
}

TEST_F(BoutForms, ReplacementCandidatesAreFreeOfTheBoutAndBestFitFirst) {
  const int adams = Place("Adams");
  ASSERT_TRUE(board::ScratchWrestler(board, Place("Ford"), nullptr).ok());
  const int now = BoutOf(adams);
  ASSERT_GE(now, 0);
  const board::Bout& b = board.Bouts[static_cast<std::size_t>(now)];
  const int leaving = b.First == adams ? 0 : 1;
  ReplaceWrestlerForm form(board, now, messages, leaving);
  const int stays = b.Opponent(adams);
  for (const auto& c : form.candidates()) {
    EXPECT_FALSE(b.Has(c.place));
    EXPECT_FALSE(board.Wrestlers[static_cast<std::size_t>(c.place)].Scratched);
    EXPECT_EQ(board::BoutBetween(board, stays, c.place), 0) << c.text.name;
  }
  for (std::size_t i = 1; i < form.candidates().size(); ++i) {
    const auto& x = form.candidates()[i - 1];
    const auto& y = form.candidates()[i];
    EXPECT_TRUE(x.fit_value > y.fit_value ||
                (x.fit_value == y.fit_value && x.relaxed_fit >= y.relaxed_fit));
  }

  // Nobody chosen: the dialog says so and stays open.
  EXPECT_FALSE(form.Replace());
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "Choose the wrestler who takes the place of Adams, Al.");

  // Finding by club, whatever the case.
  form.SetFind("lIONs");
  for (const int i : form.shown()) {
    EXPECT_EQ(form.candidates()[static_cast<std::size_t>(i)].text.club, "Lions");
  }
  form.SetFind("");
  EXPECT_EQ(form.shown().size(), form.candidates().size());
  ASSERT_FALSE(form.candidates().empty());
  form.Choose(0);
  EXPECT_EQ(form.chosen_limits().size(), 8u);
  if (!form.chosen_limits()[0].hard && !form.chosen_limits()[7].hard) {
    EXPECT_TRUE(form.Replace());
    EXPECT_EQ(form.out(), adams);
    EXPECT_EQ(form.in(), form.candidates()[0].place);
    EXPECT_EQ(form.number(), b.Number);
  }
}

TEST_F(BoutForms, TheOneWhoStaysIsNotCountedTwiceAgainstTheMostBoutsAllowed) {
  // The one who stays already has the most bouts allowed, this bout among them: the
  // replacement leaves his count as it is, which breaks nothing.
  const board::Bout& b = board.Bouts[0];
  const std::vector<std::int32_t> counts = board::BoutCounts(board);
  board.Control.MaxBoutsAllowed = counts[static_cast<std::size_t>(b.Second)];
  board.Control.MaxBoutsWanted = board.Control.MaxBoutsAllowed;
  ReplaceWrestlerForm form(board, 0, messages, 0);
  ASSERT_FALSE(form.candidates().empty());
  for (std::size_t i = 0; i < form.candidates().size(); ++i) {
    const int in = form.candidates()[i].place;
    if (counts[static_cast<std::size_t>(in)] >= board.Control.MaxBoutsAllowed) continue;
    form.Choose(static_cast<int>(i));
    EXPECT_EQ(form.chosen_limits()[4].verdict, "kept") << form.candidates()[i].text.name;
  }

  // The other side leaves instead: the candidates follow the new one who stays.
  form.SetLeaving(1);
  EXPECT_EQ(form.chosen(), -1);
  for (const auto& c : form.candidates()) EXPECT_NE(c.place, b.First);
}

}  // namespace
}  // namespace kestrio::ui
