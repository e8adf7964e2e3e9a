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

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pairing/pairing_run.h"

namespace kestrio::reports {

// The club that follows previous in ascending order among the clubs of the selected
// wrestlers (as stored for the first wrestler that has it), or nothing. Starting from a
// blank club and feeding each result back visits every club once. One call reads the
// whole selection; the writers use ClubsInOrder instead.
std::optional<std::string> NextClub(const pairing::PairingRun& run, std::string_view previous);

// The clubs NextClub visits, in the same order, each with its wrestlers' selection
// indices in selection order.
struct ClubGroup {
  std::string club;
  std::vector<int> members;
};
std::vector<ClubGroup> ClubsInOrder(const pairing::PairingRun& run);

// Selection indices ordered by surname, given name, age, weight and rating. Wrestlers
// equal in all five keys keep the relative order that the exchange sort of the design
// leaves them in whenever they share a club, which is all a per-club file can show.
std::vector<int> AlphaIndex(const pairing::PairingRun& run);
// That exchange sort itself: for every i, every later j that comes strictly before i is
// swapped into place i. Quadratic; the reference AlphaIndex is checked against.
std::vector<int> AlphaIndexByExchange(const pairing::PairingRun& run);

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
