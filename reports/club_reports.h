#pragma once

// The club and bout-number reports of a pairing run: every wrestler's opponents grouped
// by club ("Tandrel-BoutsByClub.txt", in the organiser's chosen order), one file per club
// with its wrestlers alphabetically, and all bouts by bout number
// ("Tandrel-BoutsByBoutNumber.txt").
//
// Clubs are compared without leading and trailing blanks, by character code (so "Eagles"
// comes before "Hawks", and "Hawks" before "eagles"). Wrestlers with a blank club are in
// no club report. Every writer gives whole file texts with CR LF line ends, returned or
// written into a ReportText, and expects a run that passes CheckBoutTables.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "pairing/pairing_run.h"
#include "reports/alpha_index.h"
#include "reports/block_memo.h"
#include "reports/report_line.h"
#include "reports/wrestler_columns.h"

namespace kestrio::reports {

// The clubs of the selected wrestlers that sort after a blank club, in ascending order,
// each as stored for its first wrestler and with its wrestlers' selection indices in
// selection order.
struct ClubGroup {
  std::string club;
  std::vector<int> members;
};
std::vector<ClubGroup> ClubsInOrder(const pairing::PairingRun& run);

class BlockMaker;

// The blocks of the club reports, each club member's written in the all-clubs report and
// again in his club's file, where it reads the same. Holds the tables they are made from
// (every wrestler's bout count and opponent lines, laid out in club order, and the
// wrestlers' columns), not their texts, and refers to run, which must outlive it. memo, when given,
// keeps each block for the next writing (see BlockMemo).
class ClubBlocks {
 public:
  ClubBlocks(const pairing::PairingRun& run, std::vector<ClubGroup> groups,
             BlockMemo* memo = nullptr);
  // The same from the columns made once for the run's reports (the table of run), which
  // must outlive the blocks.
  ClubBlocks(const pairing::PairingRun& run, std::vector<ClubGroup> groups,
             WrestlerColumns& columns, BlockMemo* memo);
  ~ClubBlocks();
  ClubBlocks(const ClubBlocks&) = delete;
  ClubBlocks& operator=(const ClubBlocks&) = delete;

  const pairing::PairingRun& run() const { return run_; }
  // The clubs, as given.
  const std::vector<ClubGroup>& groups() const { return groups_; }
  BlockMemo* memo() const { return memo_; }

  // Writes the block of wrestler p, a member of one of the clubs, into out at a line
  // start: made from the tables, or as the memo kept it (the second time in a writing,
  // without making its key again).
  void Write(ReportText& out, int p);
  // Asks ahead for what the block of wrestler p (a member) is made from.
  void Prefetch(int p) const;

 private:
  const pairing::PairingRun& run_;
  std::vector<ClubGroup> groups_;
  BlockMemo* memo_;
  std::unique_ptr<WrestlerColumns> own_columns_;  // when none were given
  std::unique_ptr<BlockMaker> maker_;
  BlockKey key_;
};

std::string WriteBoutsByClub(const pairing::PairingRun& run);
// memo, when given, keeps each wrestler's block for the next writing (see BlockMemo).
void WriteBoutsByClubInto(const pairing::PairingRun& run, ReportText& out,
                          BlockMemo* memo = nullptr);
// The same from the blocks' tables made already, for a writing that also writes the
// club files.
void WriteBoutsByClubInto(ClubBlocks& blocks, ReportText& out);

// One club's report file.
struct ClubFile {
  std::string name;  // ClubFileName of the club
  std::string text;
};
// How the disk tells file names apart (FileSystem::FileNameKey); empty: byte for byte.
using FileNameKey = std::function<std::string(const std::string&)>;

// The per-club files in ascending club order. Two clubs whose names only differ in
// characters a file name cannot hold ("A/B", "A:B"), or whose file names are one file
// on the disk (by key: "Eagles" and "eagles" where names ignore case), share one file,
// named for the first of them, which then holds both clubs' blocks, so that neither
// club's bouts are lost. A wrestler's block reads the same in its club's file as in the
// all-clubs report.
std::vector<ClubFile> WriteClubFiles(const pairing::PairingRun& run, const FileNameKey& key = {});

// The same files one at a time, so that only one is ever made at once. names is called first, once,
// with every file's name in order (empty when no wrestler has a club), before any file's text is
// written; then file is called with each file's name, in that order, and a function that writes its
// text into out. name_key as WriteClubFiles' key.
using ClubFileNames = std::function<void(const std::vector<std::string>& names)>;
using ClubFileText = std::function<void(ReportText& out)>;
void ForEachClubFile(const pairing::PairingRun& run, const ClubFileNames& names,
                     const std::function<void(const std::string&, const ClubFileText&)>& file,
                     BlockMemo* memo = nullptr, const FileNameKey& name_key = {});
// The same from the blocks' tables made already for the clubs of ClubsInOrder (and their
// memo, which also keeps the alphabetical order).
void ForEachClubFile(ClubBlocks& blocks, const ClubFileNames& names,
                     const std::function<void(const std::string&, const ClubFileText&)>& file,
                     const FileNameKey& name_key);

std::string WriteBoutsByBoutNumber(const pairing::PairingRun& run);
void WriteBoutsByBoutNumberInto(const pairing::PairingRun& run, ReportText& out,
                                BlockMemo* memo = nullptr);
// The same from the columns made once for the run's reports (the table of run).
void WriteBoutsByBoutNumberInto(const pairing::PairingRun& run, WrestlerColumns& columns,
                                ReportText& out, BlockMemo* memo);

}  // namespace kestrio::reports
