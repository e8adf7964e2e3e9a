#include <gtest/gtest.h>

#include "tests/fake_ui_ports.h"
#include "ui/about_form.h"
#include "ui/dialog_failure.h"
#include "ui/window_geometry.h"

namespace kestrio::ui {
namespace {

TEST(DialogCentring, CentresOverTheOwnerButStaysOnTheScreen) {
  EXPECT_EQ(CentreOverOwner(200, 100, {100, 100, 600, 400}, 1920, 1080), (Point{300, 250}));
  // An owner near the right and bottom edges: flush with them, not beyond.
  EXPECT_EQ(CentreOverOwner(400, 300, {1800, 950, 200, 100}, 1920, 1080), (Point{1520, 780}));
  EXPECT_EQ(CentreOverOwner(400, 300, {-300, -200, 200, 100}, 1920, 1080), (Point{0, 0}));
}

TEST(DialogFailure, EachReasonHasItsTextAndAnyOtherFailureAFallback) {
  testing::FakeMessages messages;
  ReportDialogFailure(FileDialogFailure::kOutOfMemory, messages);
  ReportDialogFailure(FileDialogFailure::kFileListFailed, messages);
  ReportDialogFailure(FileDialogFailure::kUnknown, messages);
  ASSERT_EQ(messages.shown.size(), 3u);
  EXPECT_EQ(messages.shown[0].text,
            "The common dialog box procedure was unable to allocate memory for internal "
            "structures.");
  EXPECT_EQ(messages.shown[1].text,
            "An attempt to subclass a list box failed because insufficient memory was available.");
  EXPECT_EQ(messages.shown[2].text, "Unknown error number");
  EXPECT_EQ(messages.shown[0].caption, "Cannot Open This Dialog");
  EXPECT_EQ(messages.shown[0].icon, MessageIcon::Exclamation);
  EXPECT_FALSE(messages.shown[0].owned_by_main_window);
  // The one text without a full stop.
  EXPECT_EQ(DialogFailureText(FileDialogFailure::kHandlerMissing).back(), 'n');
  EXPECT_LE(DialogFailureText(FileDialogFailure::kLayoutMissing).size(), 210u);
}

TEST(AboutBox, ShowsTheBuildsValuesOrTheEntryNames) {
  const AboutForm bare = MakeAboutForm(std::nullopt);
  const char* names[] = {"CompanyName", "FileDescription", "ProductVersion", "LegalCopyright",
                         "Comments"};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(bare.fields[static_cast<std::size_t>(i)].text, names[i]);
    EXPECT_FALSE(bare.fields[static_cast<std::size_t>(i)].uses_value_font);
  }
  VersionInfo partial;
  partial.ProductVersion = "2.1";
  const AboutForm some = MakeAboutForm(partial);
  EXPECT_EQ(some.fields[1].text, "FileDescription");
  EXPECT_EQ(some.fields[2].text, "2.1");
  EXPECT_TRUE(some.fields[2].uses_value_font);
  EXPECT_EQ(MakeAboutForm(ProgramVersionInfo()).fields[2].text, "2.1");
}

}  // namespace
}  // namespace kestrio::ui
