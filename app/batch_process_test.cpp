// The batch program itself as a second process (fork and exec): POSIX systems only.

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "base/file_system.h"
#include "tests/scratch_directory.h"

namespace kestrio::app {
namespace {

const char* const kRoster =
    "Smith\tJohn\t84.5\t9\t2.5\tEagles\r\n"
    "Jones\tBob\t86\t10\t2.75\tHawks\r\n"
    "Brown\tAl\t61.2\t8\t1\tEagles\r\n"
    "Green\tTim\t58.9\t8\t1.25\tHawks\r\n";

// The real program, twice in one folder: while another run holds the folder, the batch
// says so and waits; when the folder is free it runs to the end.
TEST(BatchProcessTest, ASecondRunInTheFolderWaitsForTheFirst) {
  kestrio::testing::ScratchDirectory dir;
  {
    std::ofstream roster(dir.File("day.txt"), std::ios::binary);
    roster << kRoster;
  }
  RealFileSystem disk;
  FolderLock first_run;
  ASSERT_TRUE(disk.LockFolder(dir.path().string(), LockWait::kNo, &first_run).ok());
  const std::string err_file = dir.File("stderr.txt");
  const pid_t batch = ::fork();
  if (batch == 0) {
    if (::chdir(dir.path().c_str()) != 0) ::_exit(90);
    const int fd = ::open(err_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ::dup2(fd, 2);
    const int null_fd = ::open("/dev/null", O_WRONLY);
    ::dup2(null_fd, 1);
    ::execl(KESTRIO_BATCH_PROGRAM, "kestrio-batch", "--select-all", "day.txt",
            static_cast<char*>(nullptr));
    ::_exit(91);
  }
  ASSERT_GT(batch, 0);
  std::string said;
  for (int i = 0; i < 100 && said.empty(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    std::ifstream in(err_file);
    std::getline(in, said);
  }
  EXPECT_EQ(said,
            "kestrio-batch: Another Kestrio run is writing in this folder; waiting for it to "
            "finish");
  int status = 0;
  EXPECT_EQ(::waitpid(batch, &status, WNOHANG), 0) << "the batch did not wait";
  EXPECT_FALSE(std::filesystem::exists(dir.File("Tandrel-PairingResults.txt")));
  first_run.Release();
  ASSERT_EQ(::waitpid(batch, &status, 0), batch);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_TRUE(std::filesystem::is_regular_file(dir.File("Tandrel-PairingResults.txt")));
}

#if defined(KESTRIO_BATCH_PRINTS_PDF) || defined(KESTRIO_BATCH_WORKBOOK_MODULE)
// The program run to the end in dir with args, its standard error kept in *err when
// given; its exit status, or -1.
int RunProgram(const kestrio::testing::ScratchDirectory& dir, std::vector<const char*> args,
               std::string* err = nullptr, const char* program = KESTRIO_BATCH_PROGRAM) {
  args.insert(args.begin(), "kestrio-batch");
  args.push_back(nullptr);
  const std::string err_file = dir.File("stderr.txt");
  const pid_t batch = ::fork();
  if (batch == 0) {
    if (::chdir(dir.path().c_str()) != 0) ::_exit(90);
    const int null_fd = ::open("/dev/null", O_WRONLY);
    ::dup2(null_fd, 1);
    ::dup2(err ? ::open(err_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644) : null_fd, 2);
    ::execv(program, const_cast<char* const*>(args.data()));
    ::_exit(91);
  }
  int status = 0;
  if (batch <= 0 || ::waitpid(batch, &status, 0) != batch || !WIFEXITED(status)) return -1;
  if (err != nullptr) {
    std::ifstream in(err_file, std::ios::binary);
    err->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    std::filesystem::remove(err_file);
  }
  return WEXITSTATUS(status);
}

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteRoster(const kestrio::testing::ScratchDirectory& dir) {
  std::ofstream roster(dir.File("day.txt"), std::ios::binary);
  roster << kRoster;
}
#endif

#ifdef KESTRIO_BATCH_PRINTS_PDF
// Printing is loaded only by the runs that print: the program itself names no Qt library,
// so every other run starts without loading one, and a run that prints finds its module
// beside the program and writes whole PDF files.
TEST(BatchProcessTest, PrintsFromItsModuleAndStartsWithoutQt) {
  EXPECT_EQ(FileText(KESTRIO_BATCH_PROGRAM).find("libQt6"), std::string::npos);

  kestrio::testing::ScratchDirectory dir;
  WriteRoster(dir);
  ASSERT_EQ(RunProgram(dir, {"--select-all", "--mats", "2", "--bout-sheets-pdf", "sheets.pdf",
                             "--mat-lists-pdf", "mats.pdf", "day.txt"}),
            0);
  EXPECT_EQ(FileText(dir.File("sheets.pdf")).substr(0, 5), "%PDF-");
  EXPECT_EQ(FileText(dir.File("mats.pdf")).substr(0, 5), "%PDF-");
  EXPECT_TRUE(std::filesystem::is_regular_file(dir.File("Tandrel-PairingResults.txt")));
}
#endif

#ifdef KESTRIO_BATCH_WORKBOOK_MODULE
// Workbooks are read and written by a module loaded only by the runs that need one: the
// program itself names neither libzip nor expat, and a roster written as a workbook reads
// back as the same roster.
TEST(BatchProcessTest, ReadsAndWritesWorkbooksFromItsModuleAndStartsWithoutZip) {
  const std::string program = FileText(KESTRIO_BATCH_PROGRAM);
  EXPECT_EQ(program.find("libzip"), std::string::npos);
  EXPECT_EQ(program.find("libexpat"), std::string::npos);

  kestrio::testing::ScratchDirectory dir;
  WriteRoster(dir);
  std::string err;
  for (const char* exported : {"day.xlsx", "day.csv"})
    ASSERT_EQ(RunProgram(dir, {"--no-pair", "--export-roster", exported, "day.txt"}, &err), 0)
        << err;
  EXPECT_EQ(FileText(dir.File("day.xlsx")).substr(0, 2), "PK");
  ASSERT_EQ(RunProgram(dir, {"--no-pair", "--export-roster", "again.csv", "day.xlsx"}, &err), 0)
      << err;
  EXPECT_EQ(FileText(dir.File("again.csv")), FileText(dir.File("day.csv")));
  ASSERT_EQ(RunProgram(dir, {"--select-all", "--export-bouts", "bouts.xlsx", "day.txt"}, &err), 0)
      << err;
  EXPECT_EQ(FileText(dir.File("bouts.xlsx")).substr(0, 2), "PK");
}

// A copy of the program in a folder of its own (in the test's scratch folder): its modules
// are not beside it, nor in the library folder an installed program looks in.
class LoneProgram {
 public:
  explicit LoneProgram(const kestrio::testing::ScratchDirectory& dir)
      : folder_(dir.path() / "bin"), path_((folder_ / "kestrio-batch").string()) {
    std::filesystem::create_directory(folder_);
    std::filesystem::copy_file(KESTRIO_BATCH_PROGRAM, path_);
  }
  const char* path() const { return path_.c_str(); }
  std::string Beside(const std::string& name) const { return (folder_ / name).string(); }

 private:
  std::filesystem::path folder_;
  std::string path_;
};

// Without its module the program still runs what needs no workbook; a run that reads or
// writes one stops before it reads or writes anything, and says where it looked.
TEST(BatchProcessTest, AMissingWorkbookModuleStopsTheRunBeforeItWritesAnything) {
  kestrio::testing::ScratchDirectory dir;
  WriteRoster(dir);
  const LoneProgram lone(dir);
  std::string err;
  EXPECT_EQ(
      RunProgram(dir, {"--no-pair", "--export-roster", "day.csv", "day.txt"}, &err, lone.path()), 0)
      << err;
  EXPECT_TRUE(std::filesystem::is_regular_file(dir.File("day.csv")));

  EXPECT_EQ(
      RunProgram(dir, {"--select-all", "--save", "day.tmrx", "--export-bouts", "b.xlsx", "day.txt"},
                 &err, lone.path()),
      1);
  EXPECT_EQ(err.rfind("kestrio-batch: cannot read or write Excel workbooks: the workbook module "
                      "is missing (looked for " +
                          lone.Beside("kestrio-batch-workbooks.so") + ", ",
                      0),
            0u)
      << err;
  EXPECT_TRUE(err.ends_with("/kestrio/kestrio-batch-workbooks.so)\n")) << err;
  EXPECT_FALSE(std::filesystem::exists(dir.File("day.tmrx")));
  EXPECT_FALSE(std::filesystem::exists(dir.File("Tandrel-PairingResults.txt")));

  // A file by the module's name that is no module is refused with the loader's reason.
  {
    std::ofstream bogus(lone.Beside("kestrio-batch-workbooks.so"), std::ios::binary);
    bogus << "not a module";
  }
  EXPECT_EQ(RunProgram(dir, {"--no-pair", "day.xlsx"}, &err, lone.path()), 1);
  EXPECT_EQ(err.rfind("kestrio-batch: cannot load the workbook module: " +
                          lone.Beside("kestrio-batch-workbooks.so") + ": ",
                      0),
            0u)
      << err;
}
#endif

}  // namespace
}  // namespace kestrio::app
