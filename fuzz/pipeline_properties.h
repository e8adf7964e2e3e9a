#pragma once

// Properties of the whole road from a roster text to every report: load, select all,
// run, on an in-memory disk. The first bytes choose the organiser's limits, the rest is
// the roster file.
//
//   - The run completes and writes every report, each ended by CR LF line ends.
//   - The bouts obey the invariants every report relies on: each bout number 1..TotalBouts
//     sits in exactly two rows of one round; no wrestler has more than MaxBoutsAllowed
//     bouts; no pair meets twice; nobody wrestles itself; BoutList, BoutCount and
//     BoutOrder agree with the round table.
//   - The bout sheets hold one record per bout, numbered 1..TotalBouts in order, with
//     the same number of columns on every line.
//   - Every club gets its own file, in the working directory.
//   - A second run on the same roster writes the same files.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "fuzz/property_check.h"
#include "fuzz/run_invariants.h"
#include "pairing/pairing_control.h"
#include "pairing/pairing_run.h"
#include "reports/report_files.h"
#include "reports/run_pairing.h"
#include "roster/roster_reader.h"
#include "tests/fake_file_system.h"

namespace kestrio::fuzz {

namespace pipeline_detail {

// Limits an organiser could set, chosen by eight bytes.
inline pairing::PairingControl ControlFromBytes(std::string_view bytes) {
  auto byte = [&](std::size_t i) {
    return i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0u;
  };
  pairing::PairingControl c;
  c.MaxAllowedDiffWeight = 1.0f + static_cast<float>(byte(0) % 40);
  c.MaxAllowedDiffAge = 0.5f * static_cast<float>(1 + byte(1) % 8);
  c.MaxAllowedDiffRating = 0.5f * static_cast<float>(1 + byte(2) % 8);
  c.MinGoodnessOfFitAllowed = static_cast<float>(byte(3) % 16) / 100.0f;
  c.MaxBoutsAllowed = static_cast<std::int32_t>(byte(4) % 7);
  c.MinBoutsWanted = static_cast<std::int32_t>(byte(5) % 5);
  c.MaxBoutsWanted = static_cast<std::int32_t>(byte(6) % 6);
  c.SameClubPairingWeight = 0.25f * static_cast<float>(byte(7) % 5);
  return c;
}

inline std::vector<std::string_view> CrLfLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const auto end = text.find("\r\n");
    if (end == std::string_view::npos) {
      lines.push_back(text);
      break;
    }
    lines.push_back(text.substr(0, end));
    text.remove_prefix(end + 2);
  }
  return lines;
}

// The bout sheets: header, rule, then records numbered 1..TotalBouts by magnitude.
inline void CheckBoutSheets(std::string_view sheets, const pairing::PairingRun& run,
                            Violations& v) {
  const int total_bouts = run.TotalBouts;
  const std::vector<std::string_view> lines = CrLfLines(sheets);
  v.Expect(static_cast<int>(lines.size()) == total_bouts + 2,
           "the bout sheets do not hold one record per bout");
  if (v.any()) return;
  const auto columns = std::count(lines[0].begin(), lines[0].end(), ',');
  for (int b = 1; b <= total_bouts; ++b) {
    const std::string_view record = lines[static_cast<std::size_t>(b) + 1];
    const int number = std::atoi(std::string(record.substr(0, 4)).c_str());
    v.Expect(std::abs(number) == b, "bout sheet record " + std::to_string(b) +
                                        " carries another number: " + Printable(record));
    v.Expect(std::count(record.begin(), record.end(), ',') == columns,
             "a bout sheet record has a different number of columns: " + Printable(record));
  }
}

inline void CheckFiles(const FakeFileSystem& files, const pairing::PairingRun& run, Violations& v) {
  for (const auto& [name, contents] : files.Files()) {
    v.Expect(name.find('/') == std::string::npos && name.find('\\') == std::string::npos,
             "a report was written outside the working directory: " + Printable(name));
    const bool report = name.rfind("Tandrel-", 0) == 0;
    if (!report) continue;
    v.Expect(contents.empty() ||
                 (contents.size() >= 2 && contents.substr(contents.size() - 2) == "\r\n"),
             "a report does not end with a line end: " + Printable(name));
    for (std::size_t i = 0; i < contents.size(); ++i) {
      if (contents[i] == '\n') {
        v.Expect(i > 0 && contents[i - 1] == '\r', "a report line ends without CR: " + name);
        if (v.any()) return;
      }
    }
  }
  std::set<std::string> clubs;
  for (const auto& p : run.SelectedList) {
    if (!p.Club.IsBlank()) clubs.insert(std::string(p.Club.WithoutBlanks()));
  }
  std::set<std::string> club_files;
  for (const std::string& club : clubs) {
    const std::string name = reports::ClubFileName(club);
    v.Expect(files.HasFile(name), "a club has no report file: " + Printable(club));
    club_files.insert(name);
  }
  // Clubs that differ only in characters a file name cannot hold share a file: that is
  // pinned by its own regression test (tests/fault_run_test.cpp).
  const bool unsafe = std::any_of(clubs.begin(), clubs.end(), [](const std::string& club) {
    return club.find_first_of("/\\:*?\"<>|") != std::string::npos ||
           std::any_of(club.begin(), club.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 32 || c == 127; });
  });
  v.Expect(unsafe || club_files.size() == clubs.size(),
           "two clubs share one report file, so one club's report is lost");
}

}  // namespace pipeline_detail

inline std::string CheckPairingPipeline(std::string_view input) {
  using namespace pipeline_detail;
  Violations v;
  const pairing::PairingControl limits = ControlFromBytes(input.substr(0, 8));
  std::string_view roster_text = input.size() > 8 ? input.substr(8) : std::string_view();

  FakeFileSystem files;
  files.AddFile(std::string(pairing::kControlFileName), pairing::FormatPairingControl(limits));
  files.AddFile("roster.txt", std::string(roster_text));
  roster::Roster roster;
  roster::OpenRosterFile(files, "roster.txt", roster, roster::IgnoreSkippedLines());
  // Edit > Select All.
  for (roster::Participant& p : roster.Entries)
    roster::SetStatus(p, roster::ParticipantStatus::Selected);
  files.DeleteFile("roster.txt");

  pairing::PairingControl control;
  pairing::PairingRun run;
  const reports::PairingOutcome outcome =
      reports::RunPairing(files, roster, &control, nullptr, &run);
  v.Expect(outcome.Completed(), "a run over loaded wrestlers failed: " + outcome.status.message());
  if (v.any()) return v.first();
  v.Expect(control == limits, "the run did not use the control file's limits");
  v.Expect(run.SelectionSize == roster.EntryCount(),
           "the run did not take every selected wrestler");
  CheckRunInvariants(run, limits, v);
  if (v.any()) return v.first();
  CheckBoutSheets(*files.Contents(std::string(reports::kBoutSheetsName)), run, v);
  CheckFiles(files, run, v);
  if (v.any()) return v.first();

  // The same roster again: the previous reports are replaced by identical ones.
  const std::map<std::string, std::string> first = files.Files();
  pairing::PairingRun again;
  const reports::PairingOutcome second =
      reports::RunPairing(files, roster, &control, nullptr, &again);
  v.Expect(second.Completed() && files.Files() == first, "a second run wrote different reports");
  return v.first();
}

}  // namespace kestrio::fuzz
