#pragma once

// Properties of the control-file reader and writer, for any text an organiser might
// type into "Tandrel_PairingControl.txt".
//
//   - A rejected file leaves the parameters exactly as they were, and the message names
//     the file, is short and prints. An accepted file holds values within their ranges.
//   - Accepted values are written back as a file that reads to the same values (the
//     writer keeps 7 significant digits, so the second write must equal the first) and
//     whose every line fits its field: no asterisks, nothing that reads back differently.
//   - Through the file-system port, a load of an accepted file gives the same values.

#include <cmath>
#include <string>
#include <string_view>

#include "fuzz/property_check.h"
#include "pairing/pairing_control.h"
#include "tests/fake_file_system.h"

namespace kestrio::fuzz {

namespace control_detail {

inline bool CloseReal(float a, float b) {
  if (a == b) return true;
  if (!std::isfinite(a) || !std::isfinite(b)) return false;
  return std::fabs(a - b) <= 1e-6f * std::fmax(std::fabs(a), std::fabs(b));
}

inline bool CloseControl(const pairing::PairingControl& a, const pairing::PairingControl& b) {
  return CloseReal(a.MaxAllowedDiffWeight, b.MaxAllowedDiffWeight) &&
         CloseReal(a.MaxAllowedDiffAge, b.MaxAllowedDiffAge) &&
         CloseReal(a.MaxAllowedDiffRating, b.MaxAllowedDiffRating) &&
         CloseReal(a.MinGoodnessOfFitAllowed, b.MinGoodnessOfFitAllowed) &&
         a.MaxBoutsAllowed == b.MaxBoutsAllowed && a.MinBoutsWanted == b.MinBoutsWanted &&
         a.MaxBoutsWanted == b.MaxBoutsWanted &&
         CloseReal(a.SameClubPairingWeight, b.SameClubPairingWeight);
}

// Values no default holds, so that a reader that resets or half-applies them shows.
inline pairing::PairingControl Sentinel() {
  pairing::PairingControl c;
  c.MaxAllowedDiffWeight = 7.25f;
  c.MaxAllowedDiffAge = 3.5f;
  c.MaxAllowedDiffRating = 0.75f;
  c.MinGoodnessOfFitAllowed = 0.125f;
  c.MaxBoutsAllowed = 9;
  c.MinBoutsWanted = 1;
  c.MaxBoutsWanted = 3;
  c.SameClubPairingWeight = 0.5f;
  return c;
}

}  // namespace control_detail

inline std::string CheckControlFile(std::string_view input) {
  using namespace control_detail;
  Violations v;
  const std::string name(pairing::kControlFileName);
  pairing::PairingControl parsed = Sentinel();
  const Status status = pairing::ParsePairingControl(input, name, &parsed);
  if (!status.ok()) {
    v.Expect(parsed == Sentinel(), "a rejected control file changed the parameters");
    v.Expect(status.message().find(name) != std::string::npos,
             "the control-file error does not name the file: " + status.message());
    // Two quotes of at most 80 characters (and "...") beside the fixed words.
    v.Expect(status.message().size() <= 400,
             "a control-file error is too long: " + std::to_string(status.message().size()));
    for (char c : status.message()) {
      if (static_cast<unsigned char>(c) < 32 || static_cast<unsigned char>(c) >= 127) {
        v.Expect(false, "a control-file error holds a byte that does not print");
        break;
      }
    }
    return v.first();
  }
  v.Expect(pairing::ToleranceInRange(parsed.MaxAllowedDiffWeight) &&
               pairing::ToleranceInRange(parsed.MaxAllowedDiffAge) &&
               pairing::ToleranceInRange(parsed.MaxAllowedDiffRating) &&
               pairing::FractionInRange(parsed.MinGoodnessOfFitAllowed) &&
               pairing::FractionInRange(parsed.SameClubPairingWeight) &&
               pairing::BoutCountInRange(parsed.MaxBoutsAllowed) &&
               pairing::BoutCountInRange(parsed.MinBoutsWanted) &&
               pairing::BoutCountInRange(parsed.MaxBoutsWanted),
           "an accepted control file holds a value out of range");
  v.Expect(!std::signbit(parsed.MaxAllowedDiffWeight) && !std::signbit(parsed.MaxAllowedDiffAge) &&
               !std::signbit(parsed.MaxAllowedDiffRating),
           "an accepted tolerance is a negative zero");

  // What was accepted is written and read back.
  const std::string written = pairing::FormatPairingControl(parsed);
  v.Expect(written.find('*') == std::string::npos, "a parameter overflows its field:\n" + written);
  pairing::PairingControl reread = Sentinel();
  const Status again = pairing::ParsePairingControl(written, name, &reread);
  v.Expect(again.ok(), "the written control file is rejected: " + again.message() + "\n" + written);
  if (v.any()) return v.first();
  v.Expect(CloseControl(parsed, reread),
           "the written control file reads to other values\n" + written);
  v.Expect(pairing::FormatPairingControl(reread) == written,
           "writing the re-read values gives another file\n" + written);
  if (v.any()) return v.first();

  // The same through the port: the load finds the file and does not rewrite it.
  FakeFileSystem files;
  files.AddFile(name, std::string(input));
  pairing::PairingControl from_defaults;
  pairing::ParsePairingControl(input, name, &from_defaults);
  pairing::PairingControl loaded = Sentinel();
  const Status load = pairing::LoadPairingControl(files, &loaded);
  v.Expect(load.ok(), "loading an accepted control file failed: " + load.message());
  v.Expect(loaded == from_defaults, "a load does not start from the defaults");
  v.Expect(files.WrittenPaths().empty(), "loading an existing control file rewrote it");
  return v.first();
}

}  // namespace kestrio::fuzz
