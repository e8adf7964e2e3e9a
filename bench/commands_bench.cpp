// The organiser's commands on a 10,000-entry roster, through the session with fake ports
// that only keep what they are given. Every command but the pairing run should stay
// well under 100 ms.

#include <benchmark/benchmark.h>

#include <memory>
#include <set>
#include <utility>

#include "bench/memory_file_system.h"
#include "bench/roster_generator.h"
#include "board/board_file.h"
#include "ui/command_ids.h"
#include "ui/session.h"

namespace kestrio::ui {
namespace {

constexpr int kEntries = 10000;

class Ui : public MessagePort,
           public FileDialogPort,
           public ListPane,
           public TreePane,
           public StatusBarPort,
           public MenuPort,
           public ProgressPort,
           public ReportViewer,
           public DialogPort,
           public TitlePort,
           public MappingMemory,
           public PrintPort {
 public:
  MessageAnswer Show(const Message&) override { return answer; }
  FileDialogResult Run(const FileDialogRequest&) override {
    return {FileDialogOutcome::Chosen, path};
  }
  int RowCount() const override { return static_cast<int>(rows.size()); }
  int TopIndex() const override { return 0; }
  void Clear() override { rows.clear(); }
  void AppendRow(ListRow row) override { rows.push_back(std::move(row)); }
  void ReplaceRow(int row, const ListRow& cells) override {
    if (row >= 0 && row < RowCount()) rows[static_cast<std::size_t>(row)] = cells;
  }
  void EnsureVisible(int) override {}
  std::vector<int> HighlightedRows() const override { return highlighted; }
  void SetHighlightedRows(const std::vector<int>& rows_to_highlight) override {
    highlighted = rows_to_highlight;
  }
  int CurrentRow() const override { return current; }
  void SetCurrentRow(int row) override { current = row; }
  void ScrollToTop(int) override {}
  ListRow Row(int row) const override { return rows[static_cast<std::size_t>(row)]; }
  void ShowBareTree() override { leaves = 0; }
  void InsertLeaf(TreeBranch, int, const std::string&) override { ++leaves; }
  void SetPartText(int, std::string_view) override {}
  void SetVisible(bool) override {}
  void Apply(const MenuState&) override {}
  void SetStatusBarChecked(bool) override {}
  void Show() override {}
  void SetRange(int, int) override {}
  void Step() override {}
  void Hide() override {}
  bool Show(const std::string&) override { return true; }
  void RunAddModify(AddModifyForm& form) override { form.Cancel(); }
  void RunControlParameters(ControlParametersForm& form) override { form.Cancel(); }
  void RunAbout(AboutForm&) override {}
  void RunAddBout(AddBoutForm& form) override { form.Cancel(); }
  void RunReplaceWrestler(ReplaceWrestlerForm& form) override { form.Cancel(); }
  void RunImport(ImportForm& form) override { form.Cancel(); }
  std::optional<std::string> Recall(const std::string&) override { return std::nullopt; }
  void Remember(const std::string&, const std::string&) override {}
  void ShowImportReport(const ImportReport&) override {}
  void SetTitle(const std::string&, bool) override {}
  void RunScheduleMats(MatScheduleForm& form) override { form.Cancel(); }
  Status WriteBoutSheetsPdf(const std::vector<reports::SheetBout>&, const std::string&) override {
    return Status::Ok();
  }
  Status WriteMatListsPdf(const std::vector<reports::SheetBout>&, int,
                          const std::string&) override {
    return Status::Ok();
  }
  void PreviewBoutSheets(const std::vector<reports::SheetBout>&) override {}
  void PreviewMatLists(const std::vector<reports::SheetBout>&, int) override {}

  Ports ports() {
    return Ports{*this, *this, *this, *this, *this, *this,
                 *this, *this, *this, *this, *this, *this};
  }

  MessageAnswer answer = MessageAnswer::Ok;
  std::string path = "roster.txt";
  std::vector<ListRow> rows;
  std::vector<int> highlighted;
  int current = -1;
  int leaves = 0;
};

struct Day {
  explicit Day(double shared_fraction = 0.1) : session(fs, ui.ports()) {
    bench::RosterGeneratorOptions options;
    options.wrestlers = kEntries;
    options.shared_key_fraction = shared_fraction;
    fs.files["roster.txt"] = bench::GenerateRosterText(options);
    session.Start();
  }
  void Open() {
    ui.path = "roster.txt";
    session.Dispatch(kCmdOpen);
  }

  bench::MemoryFileSystem fs;
  Ui ui;
  Session session;
};

void BM_OpenRoster(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto day = std::make_unique<Day>();
    state.ResumeTiming();
    day->Open();
    benchmark::DoNotOptimize(day->ui.rows.size());
    state.PauseTiming();
    day.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OpenRoster)->Unit(benchmark::kMillisecond);

void BM_HeaderClick(benchmark::State& state) {
  Day day;
  day.Open();
  int column = 1;
  for (auto _ : state) {
    day.session.OnColumnHeaderClicked(column);
    column = column % 8 + 1;
  }
}
BENCHMARK(BM_HeaderClick)->Unit(benchmark::kMillisecond);

void BM_TreeSelection(benchmark::State& state) {
  Day day;
  day.Open();
  bool leaf = false;
  for (auto _ : state) {
    if (leaf) {
      day.session.OnTreeSelectionChanged({TreeNodeKind::Leaf, TreeBranch::WeightClass, " 75."});
    } else {
      day.session.OnTreeSelectionChanged({TreeNodeKind::Root, TreeBranch::None, "Kestrio Info"});
    }
    leaf = !leaf;
  }
}
BENCHMARK(BM_TreeSelection)->Unit(benchmark::kMillisecond);

void BM_MarkAllSelected(benchmark::State& state) {
  Day day;
  day.Open();
  bool select = true;
  for (auto _ : state) {
    day.session.Dispatch(select ? kCmdMarkAllSelected : kCmdMarkAllUnSelected);
    select = !select;
  }
}
BENCHMARK(BM_MarkAllSelected)->Unit(benchmark::kMillisecond);

// Toggle of 100 highlighted rows, in the weight order of a fresh roster and sorted by
// status, where every toggled row moves and the order must be sorted again.
void BM_Toggle100Rows(benchmark::State& state) {
  Day day;
  day.Open();
  if (state.range(0) != 3) day.session.OnColumnHeaderClicked(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    day.ui.highlighted.clear();
    for (int r = 0; r < 100; ++r) day.ui.highlighted.push_back(r * 97);
    state.ResumeTiming();
    day.session.Dispatch(kCmdToggle);
  }
}
BENCHMARK(BM_Toggle100Rows)->Arg(3)->Arg(7)->Unit(benchmark::kMillisecond);

void BM_TagDuplicates(benchmark::State& state) {
  Day day(0.3);
  day.Open();
  for (auto _ : state) day.session.Dispatch(kCmdTagDuplicates);
}
BENCHMARK(BM_TagDuplicates)->Unit(benchmark::kMillisecond);

void BM_EmptyTrash(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto day = std::make_unique<Day>();
    day->Open();
    for (int r = 0; r < kEntries; r += 10) day->ui.highlighted.push_back(r);
    day->session.Dispatch(kCmdDelete);
    state.ResumeTiming();
    day->session.Dispatch(kCmdEmptyTrash);
    state.PauseTiming();
    day.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_EmptyTrash)->Unit(benchmark::kMillisecond);

// Delete on every tenth row: 1,000 highlighted rows in one command, in the weight order
// of a fresh roster and sorted by status, where every deleted row moves.
void BM_Delete1000Rows(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto day = std::make_unique<Day>();
    day->Open();
    if (state.range(0) != 3) day->session.OnColumnHeaderClicked(static_cast<int>(state.range(0)));
    for (int r = 0; r < kEntries; r += 10) day->ui.highlighted.push_back(r);
    state.ResumeTiming();
    day->session.Dispatch(kCmdDelete);
    state.PauseTiming();
    day.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_Delete1000Rows)->Arg(3)->Arg(7)->Unit(benchmark::kMillisecond);

void BM_SaveAll(benchmark::State& state) {
  Day day;
  day.Open();
  day.ui.path = "saved.tmrx";
  for (auto _ : state) day.session.Dispatch(kCmdSaveAll);
}
BENCHMARK(BM_SaveAll)->Unit(benchmark::kMillisecond);

void BM_RefreshViews(benchmark::State& state) {
  Day day;
  day.Open();
  for (auto _ : state) day.session.RefreshViews();
}
BENCHMARK(BM_RefreshViews)->Unit(benchmark::kMillisecond);

// The day after the run on a 10,000-wrestler board: every selected, the project saved,
// one run. Built once and shared by the board benchmarks, which leave it as they found it.
Day& DayAfterTheRun() {
  static Day* day = [] {
    auto* d = new Day(0.0);
    bench::RosterGeneratorOptions options;
    options.wrestlers = kEntries;
    options.all_selected = true;
    d->fs.files["roster.txt"] = bench::GenerateRosterText(options);
    d->Open();
    d->ui.path = "day.tmrx";
    d->session.Dispatch(kCmdSaveProjectData);
    d->ui.answer = MessageAnswer::Yes;
    d->session.Dispatch(kCmdRunPairing);
    d->ui.answer = MessageAnswer::Ok;
    return d;
  }();
  return *day;
}

// The desktop program writes a recovery copy of the roster and the board after every
// change not yet saved; the benchmarks with argument 1 write it too.
void WithRecoveryCopy(Day& day, bool on) {
  if (on) {
    day.session.SetRecoveryPlace("appdata", "/gym");
  } else {
    day.session.SetRecoveryPlace("", "");
  }
}

// A scratch (the board edit with the most to do: bouts removed, opponents re-paired),
// with the board file and every report rewritten; taken back untimed.
void BM_BoardScratch(benchmark::State& state) {
  Day& day = DayAfterTheRun();
  WithRecoveryCopy(day, state.range(0) != 0);
  int row = 17;
  for (auto _ : state) {
    day.ui.highlighted = {row};
    day.session.Dispatch(kCmdScratchWrestler);
    state.PauseTiming();
    day.session.Dispatch(kCmdUndo);
    row = (row + 997) % kEntries;
    state.ResumeTiming();
  }
  WithRecoveryCopy(day, false);
}
BENCHMARK(BM_BoardScratch)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Renumber Bouts after a scratch has left gaps: the bouts after the first gap change,
// every report is rewritten. On the run's own board Renumber has nothing to do and
// makes no undo step, so the Undo would take back the run itself.
void BM_BoardRenumber(benchmark::State& state) {
  Day& day = DayAfterTheRun();
  day.ui.highlighted = {17};
  day.session.Dispatch(kCmdScratchWrestler);
  state.counters["bouts"] = static_cast<double>(day.session.bout_board().Bouts.size());
  for (auto _ : state) {
    day.session.Dispatch(kCmdRenumberBouts);
    state.PauseTiming();
    day.session.Dispatch(kCmdUndo);
    state.ResumeTiming();
  }
  day.session.Dispatch(kCmdUndo);
}
BENCHMARK(BM_BoardRenumber)->Unit(benchmark::kMillisecond);

// Undo then Redo of a scratch: the board changed back and forth, its reports rewritten.
void BM_BoardUndoRedo(benchmark::State& state) {
  Day& day = DayAfterTheRun();
  WithRecoveryCopy(day, state.range(0) != 0);
  day.ui.highlighted = {4321};
  day.session.Dispatch(kCmdScratchWrestler);
  for (auto _ : state) {
    day.session.Dispatch(kCmdUndo);
    day.session.Dispatch(kCmdRedo);
  }
  day.session.Dispatch(kCmdUndo);
  WithRecoveryCopy(day, false);
  state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_BoardUndoRedo)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Undo then Redo of a Delete of 3 entries on the roster of 10,000.
void BM_RosterUndoRedo(benchmark::State& state) {
  Day day;
  day.Open();
  day.ui.highlighted = {10, 500, 9000};
  day.session.Dispatch(kCmdDelete);
  for (auto _ : state) {
    day.session.Dispatch(kCmdUndo);
    day.session.Dispatch(kCmdRedo);
  }
  state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_RosterUndoRedo)->Unit(benchmark::kMillisecond);

// Reading the board file of the 10,000-wrestler day back.
void BM_LoadBoardFile(benchmark::State& state) {
  Day& day = DayAfterTheRun();
  state.counters["bytes"] = static_cast<double>(day.fs.files["Tandrel-BoutBoard.txt"].size());
  for (auto _ : state) {
    board::BoutBoard b;
    std::string roster_file;
    const Status s = board::LoadBoardFile(day.fs, &b, &roster_file);
    benchmark::DoNotOptimize(s.ok());
    benchmark::DoNotOptimize(b.Bouts.size());
  }
}
BENCHMARK(BM_LoadBoardFile)->Unit(benchmark::kMillisecond);

// What 100 undo steps keep on a roster of 10,000: Toggle of 100 rows, Delete of 3, Mark
// All Selected and UnSelected, in turn.
void BM_UndoMemory100Steps(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto day = std::make_unique<Day>();
    day->Open();
    state.ResumeTiming();
    for (int step = 0; step < 100; ++step) {
      day->ui.highlighted.clear();
      const int kind = step % 4;
      if (kind == 0) {
        for (int r = 0; r < 100; ++r) day->ui.highlighted.push_back((r * 97 + step) % kEntries);
        day->session.Dispatch(kCmdToggle);
      } else if (kind == 1) {
        day->ui.highlighted = {step, step + 1000, step + 5000};
        day->session.Dispatch(kCmdDelete);
      } else {
        day->session.Dispatch(kind == 2 ? kCmdMarkAllSelected : kCmdMarkAllUnSelected);
      }
    }
    state.counters["steps"] = static_cast<double>(day->session.history().size());
    state.counters["undo_MB"] =
        static_cast<double>(day->session.history().Bytes()) / (1024.0 * 1024.0);
    state.PauseTiming();
    day.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_UndoMemory100Steps)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace kestrio::ui

BENCHMARK_MAIN();
