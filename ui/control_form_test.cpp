#include "ui/control_form.h"

#include <gtest/gtest.h>

#include "tests/fake_file_system.h"
#include "tests/fake_ui_ports.h"

namespace kestrio::ui {
namespace {

using testing::FakeMessages;

class ControlFormTest : public ::testing::Test {
 protected:
  std::vector<std::string> Texts() const {
    std::vector<std::string> t;
    for (const Message& m : messages.shown) {
      EXPECT_EQ(m.caption, "Kestrio Control Parameters");
      EXPECT_FALSE(m.owned_by_main_window);
      t.push_back(m.text);
    }
    return t;
  }

  pairing::PairingControl control;
  FakeFileSystem fs;
  FakeMessages messages;
};

TEST_F(ControlFormTest, OpensWithTheDefaultsAndStoresAnUnchangedFormAsIs) {
  ControlParametersForm form(control, fs, messages);
  EXPECT_EQ(form.weight, "10.0");
  EXPECT_EQ(form.age, "1.5");
  EXPECT_EQ(form.rating, "1.5");
  EXPECT_EQ(form.max_bouts, "4");
  EXPECT_EQ(form.min_fit, "0.010");
  EXPECT_EQ(form.min_wanted, "2");
  EXPECT_EQ(form.max_wanted, "2");
  EXPECT_EQ(form.slider_position, 0);
  EXPECT_TRUE(form.Ok());
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(control, pairing::PairingControl());
  EXPECT_EQ(fs.Contents(std::string(pairing::kControlFileName)),
            pairing::FormatPairingControl(control));
}

TEST_F(ControlFormTest, SliderPositionsRoundTripThroughTheStoredWeight) {
  for (int position = 0; position <= 4; ++position) {
    EXPECT_EQ(SliderPositionForWeight(WeightForSliderPosition(position)), position);
  }
  EXPECT_EQ(WeightForSliderPosition(2), 0.5f);
  control.SameClubPairingWeight = 0.6f;  // typed into the file by hand: shown at 2
  ControlParametersForm form(control, fs, messages);
  EXPECT_EQ(form.slider_position, 2);
  form.slider_position = 3;
  ASSERT_TRUE(form.Ok());
  EXPECT_EQ(control.SameClubPairingWeight, 0.75f);
  ControlParametersForm again(control, fs, messages);
  EXPECT_EQ(again.slider_position, 3);
}

TEST_F(ControlFormTest, WeightRangeAndFieldsAreCheckedInOrderStoppingAtTheFirstBadField) {
  ControlParametersForm form(control, fs, messages);
  form.weight = "100";
  form.age = "2";
  form.rating = "x";
  form.max_bouts = "7";
  EXPECT_FALSE(form.Ok());
  EXPECT_EQ(Texts(), std::vector<std::string>{"Error Interpreting Rating(Pts)"});
  // Read before the bad field: stored; after it: untouched.
  EXPECT_EQ(control.MaxAllowedDiffWeight, 100.0f);
  EXPECT_EQ(control.MaxAllowedDiffAge, 2.0f);
  EXPECT_EQ(control.MaxBoutsAllowed, 4);
  EXPECT_FALSE(fs.HasFile(std::string(pairing::kControlFileName)));

  const std::pair<const char*, std::string*> fields[] = {
      {"Error Interpreting Max. Bouts Limit", &form.max_bouts},
      {"Error Interpreting MGoF", &form.min_fit},
      {"Error Interpreting Min. Bouts Wanted", &form.min_wanted},
      {"Error Interpreting Max. Bouts Wanted", &form.max_wanted}};
  form.rating = "1";
  for (const auto& [text, field] : fields) {
    const std::string good = *field;
    *field = "";
    messages.shown.clear();
    EXPECT_FALSE(form.Ok());
    EXPECT_EQ(Texts(), std::vector<std::string>{text});
    *field = good;
  }
  form.max_bouts = "4.5";  // bout counts are whole numbers
  messages.shown.clear();
  EXPECT_FALSE(form.Ok());
  EXPECT_EQ(Texts(), std::vector<std::string>{"Error Interpreting Max. Bouts Limit"});
}

// Whatever OK writes, the next run must accept: values outside the control file's
// ranges are refused by the dialog with the field's name.
TEST_F(ControlFormTest, ValuesTheControlFileWouldRefuseKeepTheDialogOpen) {
  const struct {
    std::string ControlParametersForm::*field;
    const char* typed;
    const char* message;
  } cases[] = {
      {&ControlParametersForm::age, "-1", "Age(Yrs) must be 0 or more"},
      {&ControlParametersForm::rating, "-0.5", "Rating(Pts) must be 0 or more"},
      {&ControlParametersForm::max_bouts, "1001", "Max. Bouts Limit must be between 0 and 1000"},
      {&ControlParametersForm::min_fit, "1.5", "MGoF must be between 0 and 1"},
      {&ControlParametersForm::min_wanted, "5000", "Min. Bouts Wanted must be between 0 and 1000"},
      {&ControlParametersForm::max_wanted, "1001", "Max. Bouts Wanted must be between 0 and 1000"},
  };
  for (const auto& c : cases) {
    messages.shown.clear();
    ControlParametersForm form(control, fs, messages);
    form.*c.field = c.typed;
    EXPECT_FALSE(form.Ok()) << c.typed;
    EXPECT_EQ(Texts(), std::vector<std::string>{c.message});
    EXPECT_FALSE(fs.HasFile(std::string(pairing::kControlFileName)));
    form.Cancel();
  }
  ControlParametersForm zeros(control, fs, messages);
  zeros.age = zeros.rating = zeros.min_fit = zeros.max_bouts = "0";
  EXPECT_TRUE(zeros.Ok());
}

// A decimal point or a blank between digits is refused, never merged or cut: "3.5" must
// not become 35 bouts, nor "3 5" three.
TEST_F(ControlFormTest, BoutCountsTakeDigitsOnlyAndTheRefusedFieldIsNamed) {
  for (const char* typed : {"3.5", "3 5", "3,5", "+3", "-0", "3x"}) {
    messages.shown.clear();
    ControlParametersForm form(control, fs, messages);
    form.max_bouts = typed;
    EXPECT_FALSE(form.Ok()) << typed;
    EXPECT_EQ(Texts(), std::vector<std::string>{"Error Interpreting Max. Bouts Limit"}) << typed;
    EXPECT_EQ(form.refused_field, ControlField::MaxBouts);
    form.Cancel();
  }
  ControlParametersForm form(control, fs, messages);
  form.max_wanted = " 3 ";
  form.rating = "x";
  EXPECT_FALSE(form.Ok());
  EXPECT_EQ(form.refused_field, ControlField::Rating);
  form.rating = "1";
  EXPECT_TRUE(form.Ok());
  EXPECT_EQ(form.refused_field, ControlField::None);
  EXPECT_EQ(control.MaxBoutsWanted, 3);
}

TEST_F(ControlFormTest, RefusedWeightIsKeptUntilCancelPutsBackTheOpeningValues) {
  ControlParametersForm form(control, fs, messages);
  form.weight = "150";
  EXPECT_FALSE(form.Ok());
  EXPECT_EQ(control.MaxAllowedDiffWeight, 150.0f);
  // An empty weight now shows both messages: unreadable, and the stored 150 out of range.
  form.weight = "";
  messages.shown.clear();
  EXPECT_FALSE(form.Ok());
  EXPECT_EQ(Texts(), (std::vector<std::string>{"Error Interpreting Weight(%)",
                                               "Weight(%)must be between 0 and 100"}));
  form.weight = "-1";
  EXPECT_FALSE(form.Ok());
  form.weight = "100.5";
  EXPECT_FALSE(form.Ok());
  EXPECT_TRUE(form.Cancel());
  EXPECT_EQ(control, pairing::PairingControl());
}

TEST_F(ControlFormTest, AControlFileThatCannotBeWrittenKeepsTheDialogOpen) {
  fs.HoldOpen(std::string(pairing::kControlFileName));
  ControlParametersForm form(control, fs, messages);
  EXPECT_FALSE(form.Ok());
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_NE(messages.shown[0].text.find(pairing::kControlFileName), std::string::npos);
}

}  // namespace
}  // namespace kestrio::ui
