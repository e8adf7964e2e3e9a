#pragma once

// One scripted session of kestrio-batch: load, edit, save, list, pair, summarise.

#include <ostream>

#include "app/batch_options.h"
#include "base/file_system.h"
#include "ui/print_port.h"

namespace kestrio::app {

// Exit statuses of the batch command.
inline constexpr int kBatchOk = 0;
inline constexpr int kBatchFailed = 1;
inline constexpr int kBatchUsage = 2;

// Runs the session in fs's working directory, holding the folder's writing lock (when
// another run holds it, says so on err and waits). Warnings about skipped roster lines and
// every failure go to err, the summary to out. Returns kBatchOk, or kBatchFailed when a
// roster file cannot be read, a save or listing fails, the pairing run is refused or
// fails, the mat schedule or a PDF cannot be written, or memory runs out; nothing after a
// failed step is done. printer prints the PDFs; without one (a build without Qt) asking
// for a PDF fails.
int RunBatch(const BatchOptions& options, FileSystem& fs, std::ostream& out, std::ostream& err,
             ui::PrintPort* printer = nullptr);

}  // namespace kestrio::app
