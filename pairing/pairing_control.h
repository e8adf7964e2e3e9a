#pragma once

// The eight limits and preferences the organiser sets for the pairing engine, and the
// small keyword file "Tandrel_PairingControl.txt" that keeps them between runs.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/file_system.h"

namespace kestrio::pairing {

inline constexpr std::string_view kControlFileName = "Tandrel_PairingControl.txt";

struct PairingControl {
  // Largest weight difference between opponents, in per cent of the heavier weight.
  float MaxAllowedDiffWeight = 10.0f;
  // Largest age difference, in years.
  float MaxAllowedDiffAge = 1.5f;
  // Largest rating difference, in rating points.
  float MaxAllowedDiffRating = 1.5f;
  // A bout is made only when its goodness of fit is strictly greater than this.
  float MinGoodnessOfFitAllowed = 0.01f;
  // Hard maximum of bouts per wrestler.
  std::int32_t MaxBoutsAllowed = 4;
  // Soft minimum: wrestlers below it are listed for pairing by hand.
  std::int32_t MinBoutsWanted = 2;
  // Soft maximum: a wrestler stops choosing opponents once it has this many bouts.
  std::int32_t MaxBoutsWanted = 2;
  // Factor on the fit of two wrestlers of the same club: 0 never pairs them, 1 treats
  // them like anyone else.
  float SameClubPairingWeight = 0.0f;

  friend bool operator==(const PairingControl&, const PairingControl&) = default;
};

// The values the control file and the dialog accept. A tolerance (MaxAllowedDiff*) is
// 0 or more: 0 means "only equal values". MinGoodnessOfFitAllowed and
// SameClubPairingWeight lie from 0 to 1. A bout count lies from 0 to kMaxBoutsLimit.
inline constexpr int kMaxBoutsLimit = 1000;
bool ToleranceInRange(double value);
bool FractionInRange(double value);
bool BoutCountInRange(double value);

// A control file larger than this is refused unread: it cannot be one the program wrote
// or an organiser typed.
inline constexpr std::size_t kMaxControlFileBytes = 64 * 1024;

// The file's text for these values, lines ended by CR LF, exactly as the program writes it.
std::string FormatPairingControl(const PairingControl& control);

// Reads one "$control ... $end" group from text into *control; keys left out keep the
// values *control holds. On an unknown key, a value that does not parse or lies outside
// its range, a missing opener or closer, or a text above kMaxControlFileBytes, returns an
// error naming file_name and the offending line (at most 80 characters of it, bytes
// that do not print as \xNN), and leaves *control as it was.
Status ParsePairingControl(std::string_view text, const std::string& file_name,
                           PairingControl* control);

// Reads the control file in the working directory into *control (see ParsePairingControl).
Status ReadPairingControl(FileSystem& fs, PairingControl* control);

// Writes the control file with the values of control.
Status WritePairingControl(FileSystem& fs, const PairingControl& control);

// *control becomes the defaults; then the control file is read when it exists, or
// created with the defaults when it does not. An error (unreadable or malformed file,
// failed write) is returned with *control holding the defaults; the caller decides
// whether to go on (a pairing run does not).
Status LoadPairingControl(FileSystem& fs, PairingControl* control);

}  // namespace kestrio::pairing
