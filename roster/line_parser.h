#pragma once

// The roster line grammar, shared by roster text files, the program's own data files and
// the Add dialog:
//
//   LastName TAB FirstName TAB Weight TAB Age TAB Rating TAB Club [TAB Status]
//
// A run of TABs counts as one separator, so an empty field shifts the rest left.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "roster/participant.h"

namespace kestrio::roster {

// Lines longer than this are cut to it before parsing.
inline constexpr std::size_t kLineBufferWidth = 1024;

inline constexpr std::string_view kParseDiagnosticTitle =
    "WInfoParseDataLine: Error while reading data entry!";

// Receives the parser's and reader's diagnostics. The default shows, logs and stores
// nothing; tests override it to see what the parser complained about.
class DiagnosticSink {
 public:
  virtual ~DiagnosticSink() = default;
  virtual void Diagnostic(std::string_view /*text*/, std::string_view /*title*/) {}
};

// A sink that ignores everything (the program's own behaviour).
DiagnosticSink& SilentDiagnostics();

// Parses one line into fields 1-9 of *entry (Weight, Age and Rating rewritten with two
// decimals, AgeYears and WeightClass derived).
//
// Returns 0 on success. Any other value means the line is rejected: one diagnostic went to
// sink and *entry is incomplete and must not be used. A number too large for its
// 10-character field is rejected too, since it could only be stored as asterisks.
std::int32_t WInfoParseDataLine(std::string_view line, Participant& entry,
                                DiagnosticSink& sink = SilentDiagnostics());

// The same by the grammar's rules alone, without the shortcut WInfoParseDataLine takes
// for the lines of a saved roster: the reference that shortcut is tested against.
std::int32_t ParseLineByRules(std::string_view line, Participant& entry,
                              DiagnosticSink& sink = SilentDiagnostics());

}  // namespace kestrio::roster
