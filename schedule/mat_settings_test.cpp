#include "schedule/mat_settings.h"

#include <string>

#include <gtest/gtest.h>

#include "tests/fake_file_system.h"

namespace kestrio::schedule {
namespace {

TEST(MatSettingsTest, WrittenAndReadBack) {
  MatSettings s;
  s.Mats = 3;
  s.Rest = 2;
  s.BoutMinutes = 6;
  s.StartMinutes = 8 * 60 + 5;
  s.Classes = {{true, {0, 60}}, {false, {}}, {true, {100, 250}}};
  const std::string text = FormatMatSettings(s);
  EXPECT_EQ(text,
            "$mats\r\nMats        = 3\r\nRest        = 2\r\nBoutMinutes = 6\r\n"
            "StartTime   = 08:05\r\nMat1        = 0-60\r\nMat3        = 100-250\r\n$end\r\n");
  MatSettings read;
  ASSERT_TRUE(ParseMatSettings(text, "f", &read).ok());
  EXPECT_EQ(read, s);

  FakeFileSystem fs;
  MatSettings loaded;
  ASSERT_TRUE(LoadMatSettings(fs, &loaded).ok());
  EXPECT_EQ(loaded, MatSettings());
  EXPECT_FALSE(fs.HasFile("Tandrel_MatSettings.txt")) << "loading never writes";
  ASSERT_TRUE(WriteMatSettings(fs, s).ok());
  ASSERT_TRUE(LoadMatSettings(fs, &loaded).ok());
  EXPECT_EQ(loaded, s);
}

TEST(MatSettingsTest, HandTypedFileReads) {
  MatSettings s;
  ASSERT_TRUE(
      ParseMatSettings("# our gym\n\n  $MATS\nmats=2\n startTime = 9:30 \nMAT2 = 40 - 70\n$end\n",
                       "f", &s)
          .ok());
  EXPECT_EQ(s.Mats, 2);
  EXPECT_EQ(s.Rest, 3);
  EXPECT_EQ(s.StartMinutes, 570);
  ASSERT_EQ(s.Classes.size(), 2u);
  EXPECT_FALSE(s.Classes[0].Limited);
  EXPECT_EQ(s.Classes[1], (MatClasses{true, {40, 70}}));
}

TEST(MatSettingsTest, BadFilesAreRefusedByLineAndChangeNothing) {
  const auto error = [](std::string_view text) {
    MatSettings s;
    s.Rest = 7;
    const Status status = ParseMatSettings(text, "Tandrel_MatSettings.txt", &s);
    EXPECT_TRUE(status.IsBadControlFile());
    EXPECT_EQ(s.Rest, 7);
    return status.message();
  };
  EXPECT_EQ(error("$mats\r\nRest = 51\r\n$end\r\n"),
            "Error in file Tandrel_MatSettings.txt, line 2 \"Rest = 51\": Rest must be a whole "
            "number from 0 to 50");
  EXPECT_EQ(error("$mats\nMats = 0\n$end\n"),
            "Error in file Tandrel_MatSettings.txt, line 2 \"Mats = 0\": Mats must be a whole "
            "number from 1 to 64");
  EXPECT_EQ(error("$mats\nStartTime = 24:00\n$end\n"),
            "Error in file Tandrel_MatSettings.txt, line 2 \"StartTime = 24:00\": StartTime must "
            "be a time from 00:00 to 23:59");
  EXPECT_EQ(error("$mats\nMat1 = 60-40\n$end\n"),
            "Error in file Tandrel_MatSettings.txt, line 2 \"Mat1 = 60-40\": a mat's weight "
            "classes must read like 0-60");
  EXPECT_EQ(error("$mats\nMats = 2\nMat3 = 0-40\n$end\n"),
            "Error in file Tandrel_MatSettings.txt, line 4 \"$end\": Mat3 is past the 2 mats in "
            "use");
  EXPECT_EQ(error("$mats\nMat65 = 0-40\n$end\n"),
            "Error in file Tandrel_MatSettings.txt, line 2 \"Mat65 = 0-40\": unknown key");
  EXPECT_EQ(error("Rest = 2\n"),
            "Error in file Tandrel_MatSettings.txt, line 1 \"Rest = 2\": the file must start "
            "with $mats");
  EXPECT_EQ(error("$mats\nRest = 2\n"), "Error in file Tandrel_MatSettings.txt: $end is missing");
  EXPECT_EQ(error("$mats\nRest\x01\n"),
            "Error in file Tandrel_MatSettings.txt, line 2 \"Rest\\x01\": expected Key = value");
}

TEST(MatSettingsTest, ClockTexts) {
  EXPECT_EQ(ClockText(0), "00:00");
  EXPECT_EQ(ClockText(9 * 60 + 5), "09:05");
  EXPECT_EQ(ClockText(24 * 60 + 75), "01:15") << "past midnight the clock goes round";
  EXPECT_EQ(ReadClock("7:45"), 465);
  EXPECT_FALSE(ReadClock("7:5"));
  EXPECT_FALSE(ReadClock("12:60"));
  EXPECT_FALSE(ReadClock("-1:00"));
  EXPECT_FALSE(ReadClock("0945"));
}

}  // namespace
}  // namespace kestrio::schedule
