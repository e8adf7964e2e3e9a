#pragma once

// The club and bout-number reports of a pairing run: every wrestler's opponents grouped
// by club ("Tandrel-BoutsByClub.txt", in the organiser's chosen order), one file per club
// with its wrestlers alphabetically, and all bouts by bout number
// ("Tandrel-BoutsByBoutNumber.txt").
//
// Clubs are compared without leading and trailing blanks, by character code (so "Eagles"
// comes before "Hawks", and "Hawks" before "eagles"). Wrestlers with a blank club are in
// no club report. Every writer returns whole file texts with CR LF line ends and expects
// a run that passes CheckBoutTables.

#include <string>
#include <string_view>
#include <vector>

#include "pairing/pairing_run.h"

namespace kestrio::reports {

// The clubs of the selected wrestlers that sort after a blank club, in ascending order,
// each as stored for its first wrestler and with its wrestlers' selection indices in
// selection order.
struct ClubGroup {
  std::string club;
  std::vector<int> members;
};
std::vector<ClubGroup> ClubsInOrder(const pairing::PairingRun& run);

// Selection indices ordered by surname, given name, age, weight and rating, in the order
// an exchange sort leaves them (base/exchange_order.h) starting from selection order:
// the per-club files list wrestlers equal in all five keys that way.
std::vector<int> AlphaIndex(const pairing::PairingRun& run);

std::string WriteBoutsByClub(const pairing::PairingRun& run);

// One club's report file.
struct ClubFile {
  std::string name;  // ClubFileName of the club
  std::string text;
};
// The per-club files in ascending club order. Two clubs whose names only differ in
// characters a file name cannot hold ("A/B", "A:B") share one file, which then holds
// both clubs' blocks, so that neither club's bouts are lost.
std::vector<ClubFile> WriteClubFiles(const pairing::PairingRun& run);

// Both club reports at once (each wrestler's block is written once and copied into its
// club's file): the same texts as WriteBoutsByClub and WriteClubFiles.
struct ClubReports {
  std::string by_club;
  std::vector<ClubFile> files;
};
ClubReports WriteClubReports(const pairing::PairingRun& run);

std::string WriteBoutsByBoutNumber(const pairing::PairingRun& run);

}  // namespace kestrio::reports
