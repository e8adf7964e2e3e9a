#include "pairing/pairing_control.h"

#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "tests/fake_file_system.h"

namespace kestrio::pairing {
namespace {

const std::string kName(kControlFileName);

const char kDefaultsFile[] =
    "$control\r\n"
    "MaxAllowedDiffWeight    =    10.00000    ,\r\n"
    "MaxAllowedDiffAge       =    1.500000    ,\r\n"
    "MaxAllowedDiffRating    =    1.500000    ,\r\n"
    "MinGoodnessOfFitAllowed =   1.0000000E-02,\r\n"
    "MaxBoutsAllowed         =            4,\r\n"
    "MinBoutsWanted          =            2,\r\n"
    "MaxBoutsWanted          =            2,\r\n"
    "SameClubPairingWeight   =   0.0000000E+00,\r\n"
    "$end\r\n";

TEST(PairingControlFile, DefaultsAndDialogValuesAreWrittenToTheByte) {
  EXPECT_EQ(FormatPairingControl(PairingControl()), kDefaultsFile);

  PairingControl c;
  c.MinGoodnessOfFitAllowed = 0.125f;
  c.MaxAllowedDiffWeight = 12.5f;
  c.MaxBoutsAllowed = 12;
  const std::string text = FormatPairingControl(c);
  EXPECT_NE(text.find("\r\nMaxAllowedDiffWeight    =    12.50000    ,\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\nMinGoodnessOfFitAllowed =   0.1250000    ,\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\nMaxBoutsAllowed         =           12,\r\n"), std::string::npos);

  // Seven significant digits; exponent form outside 0.1 .. 9,999,999.
  c.SameClubPairingWeight = 1.0f;
  c.MaxAllowedDiffAge = 1234567.0f;
  c.MaxAllowedDiffRating = -0.25f;
  c.MinGoodnessOfFitAllowed = 12345678.0f;  // 7 digits: 1.234568E+07
  const std::string wide = FormatPairingControl(c);
  EXPECT_NE(wide.find("SameClubPairingWeight   =    1.000000    ,"), std::string::npos);
  EXPECT_NE(wide.find("MaxAllowedDiffAge       =    1234567.    ,"), std::string::npos);
  EXPECT_NE(wide.find("MaxAllowedDiffRating    =  -0.2500000    ,"), std::string::npos);
  EXPECT_NE(wide.find("MinGoodnessOfFitAllowed =   1.2345680E+07,"), std::string::npos);
}

TEST(PairingControlFile, WrittenValuesReadBackUnchanged) {
  PairingControl c;
  c.MaxAllowedDiffWeight = 7.25f;
  c.MaxAllowedDiffAge = 0.5f;
  c.MaxAllowedDiffRating = 2.0f;
  c.MinGoodnessOfFitAllowed = 0.015625f;
  c.MaxBoutsAllowed = 6;
  c.MinBoutsWanted = 0;
  c.MaxBoutsWanted = 1000;
  c.SameClubPairingWeight = 0.75f;
  PairingControl read;
  ASSERT_TRUE(ParsePairingControl(FormatPairingControl(c), kName, &read).ok());
  EXPECT_EQ(read, c);
}

TEST(PairingControlFile, GrammarAcceptsAnyCaseOrderAndSpacing) {
  PairingControl expected;
  expected.MaxBoutsAllowed = 6;
  expected.SameClubPairingWeight = 0.5f;
  expected.MaxAllowedDiffAge = 2.0f;
  for (const char* text : {
           "$CONTROL\r\nsameclubpairingweight=0.5 MAXBOUTSALLOWED = "
           "6\r\nMaxAllowedDiffAge=2.,\r\n$End\r\n",
           "$control MaxBoutsAllowed=+6,,SameClubPairingWeight=5e-1, maxalloweddiffage = 0.2D1 "
           "$end",
           "\xEF\xBB\xBF\r\n  "  // a byte-order mark first
           "$Control\n\tMaxBoutsAllowed\n=\n6\nSameClubPairingWeight=.5\nMaxAllowedDiffAge=2$END "
           "junk = ! after",
       }) {
    PairingControl c;
    ASSERT_TRUE(ParsePairingControl(text, kName, &c).ok()) << text;
    EXPECT_EQ(c, expected) << text;
  }
  // Keys left out keep what the record held.
  PairingControl held;
  held.MinBoutsWanted = 9;
  ASSERT_TRUE(ParsePairingControl("$control\r\n$end\r\n", kName, &held).ok());
  EXPECT_EQ(held.MinBoutsWanted, 9);
}

TEST(PairingControlFile, MalformedFilesAreReportedWithTheLineAndChangeNothing) {
  const struct {
    const char* text;
    const char* message;
  } cases[] = {
      {"$control\r\nMaxBoutsAllowed = 6,\r\nMaxBouts = 3,\r\n$end\r\n",
       "Tandrel_PairingControl.txt, line 3: unknown key \"MaxBouts\": \"MaxBouts = 3,\""},
      {"$control\r\nMaxAllowedDiffAge = 1.5x,\r\n$end\r\n",
       "Tandrel_PairingControl.txt, line 2: the value \"1.5x\" of MaxAllowedDiffAge is not a "
       "number: "
       "\"MaxAllowedDiffAge = 1.5x,\""},
      {"$control\r\nMaxBoutsAllowed = 6.5\r\n$end\r\n",
       "Tandrel_PairingControl.txt, line 2: the value \"6.5\" of MaxBoutsAllowed is not a whole "
       "number: "
       "\"MaxBoutsAllowed = 6.5\""},

      {"$control\r\nMinBoutsWanted 2\r\n$end\r\n",
       "Tandrel_PairingControl.txt, line 2: no \"=\" after MinBoutsWanted: \"MinBoutsWanted 2\""},
      {"$control\r\nMinBoutsWanted = $end\r\n",
       "Tandrel_PairingControl.txt, line 2: no value for MinBoutsWanted: \"MinBoutsWanted = "
       "$end\""},
      {"MaxBoutsAllowed = 6\r\n$end\r\n",
       "Tandrel_PairingControl.txt, line 1: the file does not start with $control: "
       "\"MaxBoutsAllowed = 6\""},
      {"$control\r\nMaxBoutsAllowed = 6\r\n",
       "Tandrel_PairingControl.txt, line 2: no $end after the $control group: \"MaxBoutsAllowed = "
       "6\""},
      {"  \r\n", "Tandrel_PairingControl.txt: no $control group"},
  };
  for (const auto& c : cases) {
    PairingControl control;
    control.MaxBoutsAllowed = 5;
    const PairingControl before = control;
    const Status status = ParsePairingControl(c.text, kName, &control);
    EXPECT_FALSE(status.ok()) << c.text;
    EXPECT_EQ(status.message(), c.message);
    EXPECT_EQ(control, before) << c.text;
  }
}

// Limits that cannot mean what they say are refused by name with the allowed range: a
// negative tolerance (a 25 kg child against a 120 kg one), a same-club weight above 1, a
// minimum fit outside 0 to 1, bout counts outside 0 to 1,000. A tolerance of 0 (or -0)
// and an underflowing value are plain zeros.
TEST(PairingControlFile, ValuesOutOfRangeAreRefusedByNameAndRange) {
  const struct {
    const char* assignment;
    const char* complaint;
  } refused[] = {
      {"MaxAllowedDiffWeight = -10",
       "the value \"-10\" of MaxAllowedDiffWeight is out of range: "
       "it must be 0 or more"},
      {"MaxAllowedDiffAge = -0.5", "of MaxAllowedDiffAge is out of range: it must be 0 or more"},
      {"MaxAllowedDiffRating=-1e-3", "of MaxAllowedDiffRating is out of range"},
      {"SameClubPairingWeight = 1.5",
       "of SameClubPairingWeight is out of range: it must be from "
       "0 to 1"},
      {"MinGoodnessOfFitAllowed = -0.1", "of MinGoodnessOfFitAllowed is out of range"},
      {"MinGoodnessOfFitAllowed = 2", "of MinGoodnessOfFitAllowed is out of range"},
      {"MaxBoutsAllowed = 1001",
       "of MaxBoutsAllowed is out of range: it must be a whole number "
       "from 0 to 1000"},
      {"MinBoutsWanted = -1", "of MinBoutsWanted is out of range"},
      {"MaxBoutsWanted = 99999999999999999999999", "of MaxBoutsWanted is out of range"},
      {"MaxBoutsAllowed = 99999999999", "of MaxBoutsAllowed is out of range"},
  };
  for (const auto& c : refused) {
    PairingControl control;
    const std::string text = std::string("$control\r\n") + c.assignment + ",\r\n$end\r\n";
    const Status status = ParsePairingControl(text, kName, &control);
    EXPECT_NE(status.message().find(std::string("line 2: ") + "the value"), std::string::npos)
        << status.message();
    EXPECT_NE(status.message().find(c.complaint), std::string::npos) << status.message();
    EXPECT_EQ(control, PairingControl());
  }
  PairingControl edges;
  ASSERT_TRUE(ParsePairingControl("$control MaxAllowedDiffWeight=-0 MaxAllowedDiffAge=0 "
                                  "MaxAllowedDiffRating=1e-50 SameClubPairingWeight=1 "
                                  "MinGoodnessOfFitAllowed=7e-46 MaxBoutsAllowed=1000 $end",
                                  kName, &edges)
                  .ok());
  EXPECT_FALSE(std::signbit(edges.MaxAllowedDiffWeight));
  EXPECT_EQ(edges.MaxAllowedDiffWeight, 0.0f);
  EXPECT_EQ(edges.MaxAllowedDiffRating, 0.0f);
  EXPECT_EQ(edges.MinGoodnessOfFitAllowed, 0.0f);
  EXPECT_EQ(edges.MaxBoutsAllowed, 1000);
}

// A message quotes at most 80 characters of what the organiser wrote, bytes that do not
// print escaped; a control file above 64 KB is refused without being parsed.
TEST(PairingControlFile, MessagesStayShortAndPrintable) {
  PairingControl control;
  const std::string long_key(60 * 1024, 'K');
  Status status =
      ParsePairingControl("$control\r\n" + long_key + " = 1\r\n$end\r\n", kName, &control);
  ASSERT_FALSE(status.ok());
  const std::string quoted = "\"" + std::string(80, 'K') + "...\"";
  EXPECT_EQ(status.message(),
            "Tandrel_PairingControl.txt, line 2: unknown key " + quoted + ": " + quoted);

  status =
      ParsePairingControl("$control\r\nMaxBoutsAllowed = \x01\x7f\xff\r\n$end", kName, &control);
  EXPECT_EQ(status.message(),
            "Tandrel_PairingControl.txt, line 2: the value \"\\x01\\x7F\\xFF\" of MaxBoutsAllowed "
            "is not a whole number: \"MaxBoutsAllowed = \\x01\\x7F\\xFF\"");

  std::string big = "$control\r\n$end\r\n";
  big.resize(64 * 1024 + 1, ' ');
  status = ParsePairingControl(big, kName, &control);
  EXPECT_EQ(status.message(),
            "Tandrel_PairingControl.txt: the file is larger than 64 KB, too large for a control "
            "file");
  big.resize(64 * 1024);
  EXPECT_TRUE(ParsePairingControl(big, kName, &control).ok());
}

TEST(PairingControlLoad, MissingFileIsCreatedWithTheDefaults) {
  FakeFileSystem fs;
  PairingControl c;
  c.MaxBoutsAllowed = 11;
  ASSERT_TRUE(LoadPairingControl(fs, &c).ok());
  EXPECT_EQ(c, PairingControl());
  EXPECT_EQ(fs.Contents(kName), std::optional<std::string>(kDefaultsFile));
}

TEST(PairingControlLoad, ValuesInMemoryNeverOutliveALoad) {
  FakeFileSystem fs;
  fs.AddFile(kName, "$control\r\nMaxBoutsAllowed = 6,\r\n$end\r\n");
  PairingControl c;
  c.MaxAllowedDiffWeight = 33;  // as the dialog might have left it
  ASSERT_TRUE(LoadPairingControl(fs, &c).ok());
  PairingControl expected;
  expected.MaxBoutsAllowed = 6;
  EXPECT_EQ(c, expected);
}

TEST(PairingControlLoad, UnreadableOrBadFilesGiveAnErrorAndTheDefaults) {
  {
    FakeFileSystem fs;
    fs.AddFile(kName, kDefaultsFile);
    fs.FailReads(kName, "Permission denied");
    PairingControl c;
    c.MaxBoutsAllowed = 9;
    const Status status = LoadPairingControl(fs, &c);
    EXPECT_EQ(status.message(),
              "Error opening file Tandrel_PairingControl.txt (Tandrel_PairingControl.txt: "
              "Permission denied)");
    EXPECT_EQ(c, PairingControl());
  }
  {
    FakeFileSystem fs;
    fs.AddDirectory(kName);
    PairingControl c;
    const Status status = LoadPairingControl(fs, &c);
    EXPECT_EQ(status.message(),
              "Error opening file Tandrel_PairingControl.txt: it is not a regular file");
    EXPECT_EQ(c, PairingControl());
  }
  {
    FakeFileSystem fs;
    fs.AddFile(kName, "$control\r\nMaxBoutsAllowed = 6,\r\nBogus = 1\r\n$end\r\n");
    PairingControl c;
    EXPECT_FALSE(LoadPairingControl(fs, &c).ok());
    EXPECT_EQ(c, PairingControl());  // the 6 read before the bad line is not kept
  }
}

TEST(PairingControlWrite, FailedWriteIsReportedAndKeepsThePreviousFile) {
  FakeFileSystem fs;
  fs.AddFile(kName, "$control\r\nMaxBoutsAllowed = 6,\r\n$end\r\n");
  fs.FailWritesAfter(kName, 10, "No space left on device");
  PairingControl c;
  c.MaxBoutsAllowed = 3;
  const Status status = WritePairingControl(fs, c);
  EXPECT_FALSE(status.ok());
  EXPECT_NE(status.message().find("Error writing file Tandrel_PairingControl.txt"),
            std::string::npos);
  EXPECT_NE(status.message().find("No space left on device"), std::string::npos);
  EXPECT_EQ(fs.Contents(kName),
            std::optional<std::string>("$control\r\nMaxBoutsAllowed = 6,\r\n$end\r\n"));
}

}  // namespace
}  // namespace kestrio::pairing
