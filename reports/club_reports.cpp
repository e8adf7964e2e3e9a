#include "reports/club_reports.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <map>
#include <numeric>
#include <span>
#include <unordered_map>

#include "base/fixed_text.h"
#include "base/number_text.h"
#include "base/prefetch.h"
#include "reports/report_files.h"
#include "reports/report_line.h"

namespace kestrio::reports {
namespace {

using pairing::BoutEntry;
using pairing::PairingRun;
using pairing::SelectedParticipant;

int Rows(const PairingRun& run) {
  return std::min<int>(run.SelectionSize, static_cast<int>(run.SelectedList.size()));
}

const SelectedParticipant& Wrestler(const PairingRun& run, int p) {
  return run.SelectedList[static_cast<std::size_t>(p)];
}

void TitleLines(ReportText& out, int rule_width, std::initializer_list<std::string_view> titles) {
  const std::string rule(static_cast<std::size_t>(rule_width), '-');
  out.Blanks(2).Literal(rule).EndLine();
  for (std::string_view title : titles) out.Blanks(2).Literal(title).EndLine();
  out.Blanks(2).Literal(rule).EndLine();
}

void ClubBlock(ReportText& out, std::string_view club) {
  const std::string_view stars = "*****************";
  out.EndLine().EndLine();
  out.Blanks(2).Literal(stars).EndLine();
  out.Blanks(2).Literal("Results for ").Text(club, 5).EndLine();
  out.Blanks(2).Literal(stars).EndLine();
}

// The given name, surname, club, weight, age and rating columns that every wrestler
// and opponent line of the club reports ends with.
void ClubColumns(ReportText& out, std::string_view first, std::string_view last,
                 std::string_view club, float weight, float age, float rating) {
  out.Blanks(1).Text(first, 15).Literal(" ").Blanks(1).Text(last, 15).Literal(" ");
  out.Blanks(1).Text(club, 5).Literal(" ").Blanks(1).Fixed(weight, 5, 1).Literal(" ");
  out.Blanks(1).Fixed(age, 4, 0).Literal(" ").Blanks(1).Fixed(rating, 5, 2);
}

// The start of an opponent line, blanks(3) int(4), blank, blanks(1) int(3), blank, laid
// out at out, which has room for kOpponentLineStartRoom characters; returns its length.
constexpr std::size_t kOpponentLineStartRoom = 2 * text::kIntInFullRoom + 6;
std::size_t PutOpponentLineStart(char* out, std::int32_t number, std::int32_t weight_class) {
  std::size_t n = 0;
  for (int i = 0; i < 3; ++i) out[n++] = ' ';
  n += text::PutIntInFull(out + n, number, 4);
  out[n++] = ' ';
  out[n++] = ' ';
  n += text::PutIntInFull(out + n, weight_class, 3);
  out[n++] = ' ';
  return n;
}

// Lays s out at line[n, ...); returns the length laid out so far.
std::size_t PutText(char* line, std::size_t n, std::string_view s) {
  std::memcpy(line + n, s.data(), s.size());
  return n + s.size();
}

// Ends a line laid out at line[0, n), which has room for the CR LF, and writes it.
void WriteLine(ReportText& out, char* line, std::size_t n) {
  line[n++] = '\r';
  line[n++] = '\n';
  out.Lines(std::string_view(line, n));
}

}  // namespace

// The blocks of the club reports made in the order they are written: the club members
// first, club by club, then the wrestlers in no club (who appear only as opponents).
// Every table here is kept in that order, so that making the blocks reads them from
// start to end (indexed by selection index, at tens of thousands of wrestlers nearly
// every read missed the cache); only the wrestlers' columns, the run's table shared with
// the other reports, are read at random, and asked for ahead.
class BlockMaker {
 public:
  BlockMaker(const PairingRun& run, const std::vector<ClubGroup>& groups, WrestlerColumns& columns)
      : run_(run), columns_(columns) {
    const auto n = static_cast<std::size_t>(Rows(run));
    rank_.assign(n, -1);
    order_.reserve(n);
    for (const ClubGroup& group : groups) {
      for (int p : group.members) {
        rank_[static_cast<std::size_t>(p)] = static_cast<int>(order_.size());
        order_.push_back(p);
      }
    }
    for (std::size_t p = 0; p < n; ++p) {
      if (rank_[p] >= 0) continue;
      rank_[p] = static_cast<int>(order_.size());
      order_.push_back(static_cast<int>(p));
    }
    CountBouts();
    IndexBouts();
  }

  // The block of the wrestler of rank k: his line, the rule and a line for each bout.
  void Make(ReportText& out, int k) {
    const auto i = static_cast<std::size_t>(k);
    // The block is laid out here and written at once (a long one a part at a time).
    char block[2048];
    constexpr std::size_t kLineRoom = kOpponentLineStartRoom + WrestlerColumns::kSize + 2;
    constexpr std::string_view kBoutsFor = " Bouts for";
    constexpr std::string_view kRule =
        "\r\n              ---------------  ---------------  -----  -----  ----  -----\r\n";
    std::size_t n = 0;
    block[n++] = '\r';  // the empty line before the block
    block[n++] = '\n';
    block[n++] = ' ';
    n += text::PutIntInFull(block + n, counts_[i], 2);
    n = PutText(block, n, kBoutsFor);
    n = PutText(block, n, columns_.Of(static_cast<std::size_t>(order_[i])).ClubColumns());
    n = PutText(block, n, kRule);
    for (int l = start_[i]; l < start_[i + 1]; ++l) {
      if (n + kLineRoom > sizeof block) {
        out.Lines(std::string_view(block, n));
        n = 0;
      }
      const OpponentLine& opponent = lines_[static_cast<std::size_t>(l)];
      const std::size_t line_start = n;
      n += PutOpponentLineStart(block + n, opponent.number, opponent.weight_class);
      if (opponent.columns_of >= 0) {
        n = PutText(block, n,
                    columns_.Of(static_cast<std::size_t>(opponent.columns_of)).ClubColumns());
        block[n++] = '\r';
        block[n++] = '\n';
        continue;
      }
      const BoutEntry& o = run_.BoutList[static_cast<std::size_t>(opponent.entry)];
      out.Lines(std::string_view(block, line_start));
      out.Literal(std::string_view(block + line_start, n - line_start));
      ClubColumns(out, o.FirstName.view(), o.LastName.view(), o.Club.view(), o.Weight, o.Age,
                  o.Rating);
      out.EndLine();
      n = 0;
    }
    out.Lines(std::string_view(block, n));
  }

  // The key a memo keeps the block of the wrestler of rank k under: his bout count, and
  // each bout's number, class and opponent by name.
  void Key(BlockKey& key, const BlockMemo& memo, int k) const {
    const auto i = static_cast<std::size_t>(k);
    key.Clear();
    key.Add(counts_[i]);
    for (int l = start_[i]; l < start_[i + 1]; ++l) {
      const BoutEntry& o =
          run_.BoutList[static_cast<std::size_t>(lines_[static_cast<std::size_t>(l)].entry)];
      key.Add(o.BoutNumber).Add(o.WeightClass).Add(memo.WrestlerName(o.SelectionIndex));
    }
  }

  int RankOf(int p) const { return rank_[static_cast<std::size_t>(p)]; }

  // Asks for the columns of the block of rank k ahead of making it, the wrestler's and
  // his opponents': they lie at random in the table.
  void Prefetch(int k) const {
    if (k < 0 || static_cast<std::size_t>(k) >= order_.size()) return;
    const auto i = static_cast<std::size_t>(k);
    columns_.Prefetch(static_cast<std::size_t>(order_[i]));
    for (int l = start_[i]; l < start_[i + 1]; ++l) {
      const int of = lines_[static_cast<std::size_t>(l)].columns_of;
      if (of >= 0) columns_.Prefetch(static_cast<std::size_t>(of));
    }
  }

  // How far ahead the tables read at random are asked for.
  static constexpr int kAhead = 12;

 private:
  // One line of a wrestler's block: a bout of his and the opponent's side of it.
  struct OpponentLine {
    int entry;  // the opponent's side in the BoutList
    std::int32_t number;
    std::int32_t weight_class;
    int columns_of;  // the selection index of the wrestler whose columns the side shows,
                     // or -1: made from the side
  };

  void CountBouts() {
    counts_.reserve(order_.size());
    for (const int p : order_) {
      counts_.push_back(static_cast<std::size_t>(p) < run_.BoutCount.size()
                            ? run_.BoutCount[static_cast<std::size_t>(p)]
                            : 0);
    }
  }

  // Every wrestler's bouts, in list order, bucketed by rank, read from the BoutList in
  // one pass in its own order.
  void IndexBouts() {
    const auto n = static_cast<int>(order_.size());
    start_.assign(order_.size() + 1, 0);
    const int sides = static_cast<int>(run_.BoutList.size() & ~std::size_t{1});
    for (int e = 0; e < sides; ++e) {
      const int p = run_.BoutList[static_cast<std::size_t>(e)].SelectionIndex;
      if (p >= 0 && p < n) ++start_[static_cast<std::size_t>(RankOf(p)) + 1];
    }
    std::partial_sum(start_.begin(), start_.end(), start_.begin());
    lines_.resize(static_cast<std::size_t>(start_.back()));
    std::vector<int> next(start_.begin(), start_.end() - 1);
    for (int e = 0; e < sides; ++e) {
      const int p = run_.BoutList[static_cast<std::size_t>(e)].SelectionIndex;
      if (p < 0 || p >= n) continue;
      const int other = e % 2 == 0 ? e + 1 : e - 1;
      const BoutEntry& o = run_.BoutList[static_cast<std::size_t>(other)];
      lines_[static_cast<std::size_t>(next[static_cast<std::size_t>(RankOf(p))]++)] = {
          other, o.BoutNumber, o.WeightClass,
          columns_.ShowsRow(static_cast<std::size_t>(other)) ? o.SelectionIndex : -1};
    }
  }

  const PairingRun& run_;
  WrestlerColumns& columns_;
  std::vector<int> rank_;             // by selection index
  std::vector<int> order_;            // by rank: the selection index
  std::vector<std::int32_t> counts_;  // by rank
  std::vector<int> start_;            // by rank: rank k owns lines_[start_[k], start_[k+1])
  std::vector<OpponentLine> lines_;
};

std::vector<ClubGroup> ClubsInOrder(const PairingRun& run) {
  // Stripped texts are equal under the padded comparison exactly when they are equal
  // byte for byte, so the clubs can be gathered by hashing and only the distinct clubs
  // sorted.
  // Each distinct club's group, or -1 for a club without a report.
  std::unordered_map<std::string_view, int> group_of;
  std::vector<std::string_view> stripped;
  std::vector<ClubGroup> groups;
  for (int p = 0; p < Rows(run); ++p) {
    const std::string_view club = text::WithoutBlanks(Wrestler(run, p).Club.view());
    // Looked up without making an entry, which most wrestlers' clubs have already.
    auto [it, is_new] = group_of.try_emplace(club, -1);
    if (is_new) {
      // A club that sorts no later than a blank one (blank, or a control character)
      // has no report.
      if (text::ComparePadded(club, "") <= 0) continue;
      it->second = static_cast<int>(groups.size());
      groups.push_back({std::string(Wrestler(run, p).Club.view()), {}});
      stripped.push_back(club);
    }
    if (it->second >= 0) groups[static_cast<std::size_t>(it->second)].members.push_back(p);
  }
  std::vector<std::size_t> order(groups.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return text::ComparePadded(stripped[a], stripped[b]) < 0;
  });
  std::vector<ClubGroup> sorted;
  sorted.reserve(groups.size());
  for (std::size_t g : order) sorted.push_back(std::move(groups[g]));
  return sorted;
}

namespace {

// What the alphabetical order compares, the texts stripped once: comparing stripped
// texts padded with blanks is comparing the texts without blanks. The first 16
// characters of the padded surname and of the padded given name are also kept as pairs
// of numbers that compare as those characters do. Most comparisons end at the surname's
// pair, and when both names are that short their pairs decide alone: brothers and
// cousins share surnames, and large rosters share given names.
struct AlphaKey {
  std::uint64_t last_start[2];
  std::uint64_t first_start[2];
  std::string_view last, first;
  float age, weight, rating;
};

std::uint64_t PaddedWord(std::string_view s, std::size_t at) {
  std::uint64_t word = 0;
  for (std::size_t i = at; i < at + 8; ++i)
    word = word << 8 | (i < s.size() ? static_cast<unsigned char>(s[i]) : ' ');
  return word;
}

AlphaKey AlphaKeyOf(const SelectedParticipant& w) {
  const std::string_view last = text::WithoutBlanks(w.LastName.view());
  const std::string_view first = text::WithoutBlanks(w.FirstName.view());
  return {{PaddedWord(last, 0), PaddedWord(last, 8)},
          {PaddedWord(first, 0), PaddedWord(first, 8)},
          last,
          first,
          w.Age,
          w.Weight,
          w.Rating};
}

// Two names compared as padded texts, their first 16 characters by the words kept.
int CompareName(const std::uint64_t (&start_a)[2], std::string_view a,
                const std::uint64_t (&start_b)[2], std::string_view b) {
  for (int w = 0; w < 2; ++w) {
    if (start_a[w] != start_b[w]) return start_a[w] < start_b[w] ? -1 : 1;
  }
  constexpr std::size_t kInWords = 16;
  if (a.size() <= kInWords && b.size() <= kInWords) return 0;
  return text::ComparePadded(a, b);
}

// A number that is not one (never read from a roster) sorts after every number, so
// that the order stays a strict weak ordering.
int CompareNumbers(float a, float b) {
  if (a < b) return -1;
  if (b < a) return 1;
  return static_cast<int>(std::isnan(a)) - static_cast<int>(std::isnan(b));
}

int CompareAlpha(const AlphaKey& ka, const AlphaKey& kb) {
  if (int c = CompareName(ka.last_start, ka.last, kb.last_start, kb.last); c != 0) return c;
  if (int c = CompareName(ka.first_start, ka.first, kb.first_start, kb.first); c != 0) return c;
  if (int c = CompareNumbers(ka.age, kb.age); c != 0) return c;
  if (int c = CompareNumbers(ka.weight, kb.weight); c != 0) return c;
  return CompareNumbers(ka.rating, kb.rating);
}

// Two neighbours in the order equal in every key.
bool HasTies(const PairingRun& run, const std::vector<int>& order) {
  for (std::size_t i = 1; i < order.size(); ++i) {
    if (CompareAlpha(AlphaKeyOf(Wrestler(run, order[i - 1])),
                     AlphaKeyOf(Wrestler(run, order[i]))) == 0)
      return true;
  }
  return false;
}

// Past this many wrestlers new to the order, sorting them all again is as quick.
constexpr std::size_t kMostCarriedForward = 64;

// The kept order with the wrestlers of the last writing who are gone left out and those
// who are new put in their places; false when the order cannot be carried forward:
// equal wrestlers, whose order the exchange sort decides from all around them, or too
// many new ones. Without equal wrestlers the order is the one strict order of the keys,
// and the memo vouches that each name's keys are those it was kept with.
bool CarryAlphaForward(const PairingRun& run, const std::vector<std::int32_t>& names,
                       const BlockMemo::AlphaKept& kept, std::vector<int>* out) {
  if (!kept.known || kept.ties) return false;
  const std::int32_t most = names.empty() ? 0 : *std::max_element(names.begin(), names.end());
  std::vector<int> index_of(static_cast<std::size_t>(most) + 1, -1);
  for (std::size_t i = 0; i < names.size(); ++i)
    index_of[static_cast<std::size_t>(names[i])] = static_cast<int>(i);
  std::vector<int>& order = *out;
  order.clear();
  order.reserve(names.size());
  std::vector<bool> placed(names.size(), false);
  for (const std::int32_t name : kept.order) {
    if (name > most || index_of[static_cast<std::size_t>(name)] < 0) continue;
    const int i = index_of[static_cast<std::size_t>(name)];
    order.push_back(i);
    placed[static_cast<std::size_t>(i)] = true;
  }
  if (names.size() - order.size() > kMostCarriedForward) return false;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (placed[i]) continue;
    const AlphaKey key = AlphaKeyOf(Wrestler(run, static_cast<int>(i)));
    const auto at =
        std::lower_bound(order.begin(), order.end(), key, [&](int x, const AlphaKey& k) {
          return CompareAlpha(AlphaKeyOf(Wrestler(run, x)), k) < 0;
        });
    if (at != order.end() && CompareAlpha(AlphaKeyOf(Wrestler(run, *at)), key) == 0) return false;
    order.insert(at, static_cast<int>(i));
  }
  return true;
}

// AlphaIndex, carried forward from the memo's last writing where it can be.
std::vector<int> KeptAlphaIndex(const PairingRun& run, BlockMemo& memo) {
  const std::vector<std::int32_t>& names = memo.WrestlerNames();
  const bool named = names.size() == static_cast<std::size_t>(Rows(run)) &&
                     std::all_of(names.begin(), names.end(), [](std::int32_t n) { return n >= 0; });
  if (!named || names.empty()) return AlphaIndex(run);
  BlockMemo::AlphaKept& kept = memo.Alpha();
  std::vector<int> order;
  if (kept.known && kept.selection == names) {
    // The same wrestlers with the same keys: the same order, ties and all.
    const std::int32_t most = *std::max_element(names.begin(), names.end());
    std::vector<int> index_of(static_cast<std::size_t>(most) + 1, -1);
    for (std::size_t i = 0; i < names.size(); ++i)
      index_of[static_cast<std::size_t>(names[i])] = static_cast<int>(i);
    for (const std::int32_t name : kept.order)
      order.push_back(index_of[static_cast<std::size_t>(name)]);
    return order;
  }
  if (!CarryAlphaForward(run, names, kept, &order)) {
    order = AlphaIndex(run);
    kept.ties = HasTies(run, order);
  }
  kept.known = true;
  kept.selection = names;
  kept.order.clear();
  for (const int i : order) kept.order.push_back(names[static_cast<std::size_t>(i)]);
  return order;
}

}  // namespace

namespace {

// Room for the blocks of the club reports: the wrestler, rule and blank lines of each
// block, and an opponent line for each bout side.
std::size_t ClubBlocksSize(const PairingRun& run) {
  return static_cast<std::size_t>(Rows(run)) * 160 + run.BoutList.size() * 80 + 1024;
}

}  // namespace

ClubBlocks::ClubBlocks(const PairingRun& run, std::vector<ClubGroup> groups, BlockMemo* memo)
    : run_(run),
      groups_(std::move(groups)),
      memo_(memo),
      own_columns_(std::make_unique<WrestlerColumns>(run, memo == nullptr)),
      maker_(std::make_unique<BlockMaker>(run, groups_, *own_columns_)) {}

ClubBlocks::ClubBlocks(const PairingRun& run, std::vector<ClubGroup> groups,
                       WrestlerColumns& columns, BlockMemo* memo)
    : run_(run),
      groups_(std::move(groups)),
      memo_(memo),
      maker_(std::make_unique<BlockMaker>(run, groups_, columns)) {}

ClubBlocks::~ClubBlocks() = default;

void ClubBlocks::Write(ReportText& out, int p) {
  const int k = maker_->RankOf(p);
  if (memo_ == nullptr) return maker_->Make(out, k);
  if (memo_->WriteAgain(out, BlockKind::kParticipant, static_cast<std::size_t>(p))) return;
  // Kept under all it is made from: the wrestlers by their names, as the memo vouches for
  // their texts.
  maker_->Key(key_, *memo_, k);
  memo_->Write(out, BlockKind::kParticipant, static_cast<std::size_t>(p), key_,
               [&](ReportText& text) { maker_->Make(text, k); });
}

void ClubBlocks::Prefetch(int p) const { maker_->Prefetch(maker_->RankOf(p)); }

namespace {

// Writes the members' blocks, asking a few blocks ahead for what they are made from.
template <typename Members>
void WriteMembers(ClubBlocks& blocks, ReportText& out, const Members& members) {
  constexpr std::size_t kAhead = 4;
  for (std::size_t i = 0; i < members.size(); ++i) {
    if (i + kAhead < members.size()) blocks.Prefetch(members[i + kAhead]);
    blocks.Write(out, members[i]);
  }
}

}  // namespace

void WriteBoutsByClubInto(const PairingRun& run, ReportText& out, BlockMemo* memo) {
  ClubBlocks blocks(run, ClubsInOrder(run), memo);
  WriteBoutsByClubInto(blocks, out);
}

void WriteBoutsByClubInto(ClubBlocks& blocks, ReportText& out) {
  out.Reserve(ClubBlocksSize(blocks.run()) + blocks.groups().size() * 128);
  TitleLines(out, 44,
             {"Tandrel Results Reported For All Clubs", "           (in chosen sort order)"});
  for (const ClubGroup& group : blocks.groups()) {
    ClubBlock(out, group.club);
    WriteMembers(blocks, out, group.members);
  }
}

std::string WriteBoutsByClub(const PairingRun& run) {
  ReportText out;
  WriteBoutsByClubInto(run, out);
  return out.Take();
}

void ForEachClubFile(const PairingRun& run, const ClubFileNames& names,
                     const std::function<void(const std::string&, const ClubFileText&)>& file,
                     BlockMemo* memo, const FileNameKey& name_key) {
  ClubBlocks blocks(run, ClubsInOrder(run), memo);
  ForEachClubFile(blocks, names, file, name_key);
}

void ForEachClubFile(ClubBlocks& blocks, const ClubFileNames& names,
                     const std::function<void(const std::string&, const ClubFileText&)>& file,
                     const FileNameKey& name_key) {
  const PairingRun& run = blocks.run();
  BlockMemo* memo = blocks.memo();
  const std::vector<ClubGroup>& groups = blocks.groups();
  // Each file name with the clubs it holds, in the order of its first club.
  std::vector<std::pair<std::string, std::vector<std::size_t>>> files;
  std::map<std::string, std::size_t> file_of_name;
  for (std::size_t g = 0; g < groups.size(); ++g) {
    std::string name = ClubFileName(groups[g].club);
    const auto [it, is_new] = file_of_name.emplace(name_key ? name_key(name) : name, files.size());
    if (is_new) files.push_back({std::move(name), {}});
    files[it->second].second.push_back(g);
  }
  std::vector<std::string> all_names;
  all_names.reserve(files.size());
  for (const auto& f : files) all_names.push_back(f.first);
  names(all_names);
  if (files.empty()) return;

  const std::vector<int> alpha = memo == nullptr ? AlphaIndex(run) : KeptAlphaIndex(run, *memo);
  // Every club's members in alphabetical order, gathered in one pass over the order:
  // club g's are by_alpha[start[g], start[g + 1]).
  std::vector<int> group_of(alpha.size(), -1);
  std::vector<std::size_t> start(groups.size() + 1, 0);
  for (std::size_t g = 0; g < groups.size(); ++g) {
    for (const int p : groups[g].members)
      group_of[static_cast<std::size_t>(p)] = static_cast<int>(g);
    start[g + 1] = start[g] + groups[g].members.size();
  }
  std::vector<int> by_alpha(start.back());
  std::vector<std::size_t> next(start.begin(), start.end() - 1);
  for (const int p : alpha) {
    const int g = group_of[static_cast<std::size_t>(p)];
    if (g >= 0) by_alpha[next[static_cast<std::size_t>(g)]++] = p;
  }
  for (const auto& [name, clubs] : files) {
    file(name, [&, &clubs = clubs](ReportText& out) {
      TitleLines(out, 53, {"Tandrel Results Reported Alphabetically by Club"});
      for (std::size_t g : clubs) {
        ClubBlock(out, groups[g].club);
        WriteMembers(blocks, out,
                     std::span<const int>(by_alpha.data() + start[g], start[g + 1] - start[g]));
      }
    });
  }
}

std::vector<ClubFile> WriteClubFiles(const PairingRun& run, const FileNameKey& key) {
  std::vector<ClubFile> files;
  ForEachClubFile(
      run, [](const std::vector<std::string>&) {},
      [&](const std::string& name, const ClubFileText& write) {
        ReportText out;
        write(out);
        files.push_back({name, out.Take()});
      },
      nullptr, key);
  return files;
}

namespace {

// A bout side's columns in the bout-number report, ending its line.
void NumberColumns(ReportText& text, std::string_view last, std::string_view first,
                   std::string_view club, float weight, float age, float rating) {
  text.Text(last, 15).Literal(" ").Blanks(1).Text(first, 15);
  text.Literal(" ").Blanks(1).Text(club, 5).Literal(" ").Blanks(1);
  text.Fixed(weight, 5, 1).Literal(" ").Blanks(1).Fixed(age, 4, 0).Literal(" ").Blanks(1);
  text.Fixed(rating, 5, 2).EndLine();
}

// Wrestler p's columns in the bout-number report laid out at out: surname, given name,
// then as in his club reports' columns.
constexpr std::size_t kNumberColumnsSize = 59;
void PutNumberColumns(WrestlerColumns& columns, int p, char* out) {
  using Columns = WrestlerColumns;
  const Columns::Row& row = columns.Of(static_cast<std::size_t>(p));
  std::memcpy(out, row.text + Columns::kSurnameAt, Columns::kNameWidth);
  out[15] = out[16] = ' ';
  std::memcpy(out + 17, row.text + Columns::kGivenNameAt, Columns::kNameWidth);
  // From the blanks after the surname on, the columns read as in the club reports.
  constexpr std::size_t kAfterSurname = Columns::kSurnameAt + Columns::kNameWidth;
  std::memcpy(out + 32, row.text + kAfterSurname, Columns::kSize - kAfterSurname);
}

// Writes the line laid out at line[0, n) on to the columns of side e in the bout-number
// report, and ends it: the wrestler's columns when the side shows his row (shown, as a
// run's sides do), else the side's own texts. line has room for kNumberColumnsSize + 2
// characters after n.
void WriteNumberColumns(ReportText& text, WrestlerColumns& columns, const BoutEntry& e, bool shown,
                        char* line, std::size_t n) {
  if (!shown) {
    text.Literal(std::string_view(line, n));
    return NumberColumns(text, e.LastName.view(), e.FirstName.view(), e.Club.view(), e.Weight,
                         e.Age, e.Rating);
  }
  PutNumberColumns(columns, e.SelectionIndex, line + n);
  WriteLine(text, line, n + kNumberColumnsSize);
}

// Asks for side e's columns ahead of their use.
void PrefetchNumberColumns(WrestlerColumns& columns, const PairingRun& run, const BoutEntry& e) {
  const int p = e.SelectionIndex;
  if (p < 0 || p >= Rows(run)) return;
  columns.Prefetch(static_cast<std::size_t>(p));
}

}  // namespace

void WriteBoutsByBoutNumberInto(const PairingRun& run, ReportText& out, BlockMemo* memo) {
  WrestlerColumns columns(run, memo == nullptr);
  WriteBoutsByBoutNumberInto(run, columns, out, memo);
}

void WriteBoutsByBoutNumberInto(const PairingRun& run, WrestlerColumns& columns, ReportText& out,
                                BlockMemo* memo) {
  out.Reserve(static_cast<std::size_t>(run.BoutOrder.size()) * 170 + 256);
  TitleLines(out, 45, {"Tandrel Results Reported by Bout Number"});
  const auto count =
      std::min(run.BoutOrder.size(), static_cast<std::size_t>(std::max(run.TotalBouts, 0)));
  // The bout of the k-th number, or null.
  const auto bout_at = [&](std::size_t k) -> const BoutEntry* {
    if (run.BoutOrder[k] < 0) return nullptr;
    const auto e = static_cast<std::size_t>(run.BoutOrder[k]);
    return 2 * e + 1 < run.BoutList.size() ? &run.BoutList[2 * e] : nullptr;
  };
  BlockKey key;
  for (std::size_t k = 0; k < count; ++k) {
    const BoutEntry* bout = bout_at(k);
    if (bout == nullptr) continue;
    // The wrestlers lie at random in the selection: asked for ahead, the reads overlap.
    if (constexpr std::size_t kAhead = 8; k + kAhead < count) {
      if (const BoutEntry* ahead = bout_at(k + kAhead)) {
        PrefetchNumberColumns(columns, run, ahead[0]);
        PrefetchNumberColumns(columns, run, ahead[1]);
      }
    }
    const std::size_t e = static_cast<std::size_t>(run.BoutOrder[k]);
    const BoutEntry& a = bout[0];
    const BoutEntry& b = bout[1];
    const auto block = [&](ReportText& text) {
      // Both lines are laid out here and written at once.
      constexpr std::size_t kIndent = 14;
      char lines[2 + kOpponentLineStartRoom + 1 + kNumberColumnsSize + 2 + kIndent +
                 kNumberColumnsSize + 2];
      lines[0] = '\r';  // the empty line before the bout
      lines[1] = '\n';
      // The start of the club reports' opponent lines, and a blank for the club reports'
      // blank before the columns.
      std::size_t n = 2 + PutOpponentLineStart(lines + 2, a.BoutNumber, a.WeightClass);
      lines[n++] = ' ';
      const bool shows_a = columns.ShowsRow(2 * e);
      const bool shows_b = columns.ShowsRow(2 * e + 1);
      if (!shows_a || !shows_b) {
        WriteNumberColumns(text, columns, a, shows_a, lines, n);
        std::fill_n(lines, kIndent, ' ');
        WriteNumberColumns(text, columns, b, shows_b, lines, kIndent);
        return;
      }
      PutNumberColumns(columns, a.SelectionIndex, lines + n);
      n += kNumberColumnsSize;
      lines[n++] = '\r';
      lines[n++] = '\n';
      std::fill_n(lines + n, kIndent, ' ');
      n += kIndent;
      PutNumberColumns(columns, b.SelectionIndex, lines + n);
      WriteLine(text, lines, n + kNumberColumnsSize);
    };
    if (memo == nullptr) {
      block(out);
      continue;
    }
    key.Clear();
    key.Add(a.BoutNumber).Add(a.WeightClass);
    key.Add(memo->WrestlerName(a.SelectionIndex)).Add(memo->WrestlerName(b.SelectionIndex));
    memo->Write(out, BlockKind::kBoutByNumber, e, key, block);
  }
}

std::string WriteBoutsByBoutNumber(const PairingRun& run) {
  ReportText out;
  WriteBoutsByBoutNumberInto(run, out);
  return out.Take();
}

}  // namespace kestrio::reports
