#include "ui/import_form.h"

#include <gtest/gtest.h>

#include "tests/fake_ui_ports.h"

namespace kestrio::ui {
namespace {

constexpr sheets::CivilDate kToday{2024, 3, 2};

struct Fixture {
  testing::FakeMappingMemory memory;
  testing::FakeMessages messages;
  std::unique_ptr<ImportForm> Open(const std::string& csv) {
    return std::make_unique<ImportForm>("entries.csv", csv, sheets::SheetFormat::Csv, kToday,
                                        sheets::DateOrder::MonthFirst, memory, messages);
  }
};

const char* const kRegistration =
    "Spring scrimmage;;;;\n"
    "Given;Surname;Born;Wt;Team\n"
    "John;Smith;03/04/2014;72,5;Tigers\n"
    "Ann;Fox;04/05/2013;heavy;Hawks\n"
    "Bob;Jones;05/06/2015;80;Hawks\n";

TEST(ImportForm, GuessesEverythingAndPreviewsTheRowsAsTheyWillLoad) {
  Fixture f;
  auto form = f.Open(kRegistration);
  EXPECT_EQ(form->sheet().delimiter, ';');
  EXPECT_EQ(form->settings().header_row, 1u);
  EXPECT_EQ(form->ColumnChoices(), (std::vector<std::string>{"(none)", "A: Given", "B: Surname",
                                                             "C: Born", "D: Wt", "E: Team"}));
  EXPECT_EQ(form->settings().mapping[sheets::RosterField::BirthDate], 2);
  EXPECT_EQ(form->date_order_finding(), sheets::DateOrderFinding::Ambiguous);
  ASSERT_EQ(form->preview().size(), 3u);
  EXPECT_TRUE(form->preview()[0].loads);
  EXPECT_EQ(form->preview()[0].entry.Age.WithoutBlanks(), "9.99");  // born 4 March 2014
  EXPECT_EQ(form->preview()[1].problem,
            "Unable to read Weight from string \"heavy\". Action taken --> Data entry skipped.");
  EXPECT_EQ(form->Summary(), "2 of 3 rows will load; 1 will be skipped.");
  EXPECT_EQ(form->Warnings(),
            (std::vector<std::string>{"Every birth date reads both as month/day and as day/month "
                                      "(03/04/2012). Choose the order of day and month."}));

  form->SetDateOrder(sheets::DateOrder::DayFirst);
  EXPECT_EQ(form->preview()[0].entry.Age.WithoutBlanks(), "9.91");  // born 3 April 2014
  EXPECT_TRUE(form->Warnings().empty());
  form->SetEventDate({2024, 4, 3});
  EXPECT_EQ(form->preview()[0].entry.Age.WithoutBlanks(), "10.00");
}

TEST(ImportForm, OkAsksBeforeGuessingTheDateOrderOrLoadingPart) {
  Fixture f;
  auto form = f.Open(kRegistration);
  // Cancel at the date question keeps the dialog open.
  f.messages.answers = {MessageAnswer::Cancel};
  EXPECT_FALSE(form->Ok());
  // No reads the dates the other way; then the skipped row is asked about.
  f.messages.answers = {MessageAnswer::No, MessageAnswer::No};
  EXPECT_FALSE(form->Ok());
  EXPECT_EQ(form->settings().date_order, sheets::DateOrder::DayFirst);
  EXPECT_EQ(f.messages.shown.back().text,
            "1 of the 3 rows cannot be read and will be skipped, each reported as it is.\n\n"
            "Load the other 2?");
  f.messages.answers = {MessageAnswer::Yes};
  EXPECT_TRUE(form->Ok());
  EXPECT_TRUE(form->accepted());
  EXPECT_EQ(form->lines().size(), 3u);
  EXPECT_EQ(f.memory.kept.at("Given\tSurname\tBorn\tWt\tTeam"),
            "last=Surname,first=Given,weight=Wt,age=,dob=Born,rating=,club=Team,status=");
}

TEST(ImportForm, TheMappingLastUsedIsOfferedAgainForTheSameHeaders) {
  Fixture f;
  f.memory.kept["Given\tSurname\tBorn\tWt\tTeam"] = "last=Given,first=Surname,weight=Wt,dob=Born";
  auto form = f.Open(kRegistration);
  EXPECT_TRUE(form->mapping_remembered());
  EXPECT_EQ(form->settings().mapping[sheets::RosterField::LastName], 0);
  // Changing a column makes it the organiser's own mapping; a column holds one field.
  form->SetColumn(sheets::RosterField::Club, 0);
  EXPECT_FALSE(form->mapping_remembered());
  EXPECT_EQ(form->settings().mapping[sheets::RosterField::LastName], sheets::kUnmapped);
  EXPECT_EQ(form->Summary(), "Choose a column for Last Name.");
  f.messages.answers.clear();
  EXPECT_FALSE(form->Ok());
  EXPECT_EQ(f.messages.Lines().back(),
            "Kestrio: Open Spreadsheet | Choose a column for Last Name.");
}

TEST(ImportForm, FileChoicesReadTheFileAgain) {
  Fixture f;
  // Windows-1252 with semicolons, read first as detected.
  auto form = f.Open("Last;First;Wt;Age\nM\xFCller;J;72;10\n");
  EXPECT_EQ(form->sheet().encoding, sheets::TextEncoding::Windows1252);
  EXPECT_EQ(form->preview()[0].entry.LastName.Trimmed(), "M\xC3\xBCller");
  form->SetDelimiter(',');
  EXPECT_EQ(form->settings().header_row, std::nullopt);
  EXPECT_EQ(form->ColumnChoices(), (std::vector<std::string>{"(none)", "Column A"}));
  EXPECT_EQ(form->sheet().encoding, sheets::TextEncoding::Windows1252);
  form->SetDelimiter(';');
  form->SetHeaderRow(std::nullopt);
  EXPECT_EQ(form->Summary(), "1 of 2 rows will load; 1 will be skipped.");  // the headers
  form->SetHeaderRow(0);
  EXPECT_EQ(form->Summary(), "All 1 row will load.");
}

TEST(ImportForm, ASheetThatCannotBeReadLoadsNothing) {
  Fixture f;
  auto form = f.Open("a,\"b\nc\n");
  EXPECT_EQ(form->Summary(),
            "Nothing can be loaded: the quoted field that starts on line 1 is never closed.");
  EXPECT_FALSE(form->Ok());
  EXPECT_FALSE(form->accepted());
  EXPECT_TRUE(form->Cancel());
}

}  // namespace
}  // namespace kestrio::ui
