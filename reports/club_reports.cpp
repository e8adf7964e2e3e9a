#include "reports/club_reports.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <map>
#include <numeric>
#include <unordered_map>

#include "base/exchange_order.h"
#include "base/fixed_text.h"
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

bool SameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// True when a bout side carries its wrestler as the selection holds him (as a run's
// bouts always do), so that the side's columns are the wrestler's own.
bool SameAsSelected(const PairingRun& run, const BoutEntry& side) {
  const int p = side.SelectionIndex;
  if (p < 0 || p >= Rows(run)) return false;
  const SelectedParticipant& w = Wrestler(run, p);
  return side.LastName == w.LastName && side.FirstName == w.FirstName &&
         side.Club.view() == w.Club.view().substr(0, side.Club.size()) &&
         SameBits(side.Weight, w.Weight) && SameBits(side.Age, w.Age) &&
         SameBits(side.Rating, w.Rating);
}

// One line of a wrestler's block: a bout of his and the opponent's side of it.
struct OpponentLine {
  int entry;  // the opponent's side in the BoutList
  std::int32_t number;
  std::int32_t weight_class;
  int columns_of;  // the wrestler whose columns the side shows, or -1: made from the side
};

// Every wrestler's bouts, in list order, bucketed by wrestler, read from the BoutList in
// one pass in its own order: the blocks are written in club and name order, and reading
// the bouts there would visit the list at random.
struct BoutsOfWrestler {
  std::vector<int> start;  // wrestler p owns lines[start[p] .. start[p+1])
  std::vector<OpponentLine> lines;
};

BoutsOfWrestler IndexBouts(const PairingRun& run) {
  const int n = Rows(run);
  BoutsOfWrestler index;
  index.start.assign(static_cast<std::size_t>(n) + 1, 0);
  const int sides = static_cast<int>(run.BoutList.size() & ~std::size_t{1});
  for (int k = 0; k < sides; ++k) {
    const int p = run.BoutList[static_cast<std::size_t>(k)].SelectionIndex;
    if (p >= 0 && p < n) ++index.start[static_cast<std::size_t>(p) + 1];
  }
  std::partial_sum(index.start.begin(), index.start.end(), index.start.begin());
  index.lines.resize(static_cast<std::size_t>(index.start.back()));
  std::vector<int> next(index.start.begin(), index.start.end() - 1);
  for (int k = 0; k < sides; ++k) {
    const int p = run.BoutList[static_cast<std::size_t>(k)].SelectionIndex;
    if (p < 0 || p >= n) continue;
    const int other = k % 2 == 0 ? k + 1 : k - 1;
    const BoutEntry& o = run.BoutList[static_cast<std::size_t>(other)];
    index.lines[static_cast<std::size_t>(next[static_cast<std::size_t>(p)]++)] = {
        other, o.BoutNumber, o.WeightClass, SameAsSelected(run, o) ? o.SelectionIndex : -1};
  }
  return index;
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

// Every wrestler's columns as the club reports write them, each made once when first
// needed: a wrestler's own line and every line where he is the opponent end with the
// same columns, in the all-clubs report and again in his club's file.
class ColumnTexts {
 public:
  explicit ColumnTexts(const PairingRun& run)
      : run_(run), at_(static_cast<std::size_t>(Rows(run)), kNotMade) {}

  // The columns of wrestler p.
  std::string_view Of(int p) {
    std::uint32_t& at = at_[static_cast<std::size_t>(p)];
    if (at == kNotMade) {
      const SelectedParticipant& w = Wrestler(run_, p);
      scratch_.Clear();
      ClubColumns(scratch_, w.FirstName.view(), w.LastName.view(), w.Club.view(), w.Weight, w.Age,
                  w.Rating);
      at = static_cast<std::uint32_t>(starts_.size());
      starts_.push_back(static_cast<std::uint32_t>(texts_.size()));
      texts_ += scratch_.str();
      starts_.push_back(static_cast<std::uint32_t>(texts_.size()));
    }
    return std::string_view(texts_).substr(starts_[at], starts_[at + 1] - starts_[at]);
  }

 private:
  static constexpr std::uint32_t kNotMade = ~std::uint32_t{0};

  const PairingRun& run_;
  std::vector<std::uint32_t> at_;
  std::vector<std::uint32_t> starts_;
  std::string texts_;
  ReportText scratch_;
};

void MakeParticipantBlock(ReportText& out, const PairingRun& run, const BoutsOfWrestler& bouts,
                          ColumnTexts& columns, int p) {
  const std::int32_t count = static_cast<std::size_t>(p) < run.BoutCount.size()
                                 ? run.BoutCount[static_cast<std::size_t>(p)]
                                 : 0;
  out.EndLine();
  out.Blanks(1).Int(count, 2).Blanks(1).Literal("Bouts for").Literal(columns.Of(p));
  out.EndLine();

  out.Blanks(14).Literal("---------------  ---------------  -----  -----  ----  -----");
  out.EndLine();

  for (int i = bouts.start[static_cast<std::size_t>(p)];
       i < bouts.start[static_cast<std::size_t>(p) + 1]; ++i) {
    const OpponentLine& line = bouts.lines[static_cast<std::size_t>(i)];
    out.Blanks(3).Int(line.number, 4).Literal(" ").Blanks(1).Int(line.weight_class, 3);
    out.Literal(" ");
    if (line.columns_of >= 0) {
      out.Literal(columns.Of(line.columns_of));
    } else {
      const BoutEntry& o = run.BoutList[static_cast<std::size_t>(line.entry)];
      ClubColumns(out, o.FirstName.view(), o.LastName.view(), o.Club.view(), o.Weight, o.Age,
                  o.Rating);
    }
    out.EndLine();
  }
}

// A wrestler's block, kept in memo (when there is one) under all it is made from: the
// wrestler, his bout count, and each bout's number, class and opponent, the wrestlers
// by their names (the memo vouches for their texts).
class ParticipantBlocks {
 public:
  ParticipantBlocks(const PairingRun& run, BlockMemo* memo)
      : run_(run), bouts_(IndexBouts(run)), columns_(run), memo_(memo) {}

  void Write(ReportText& out, int p) {
    if (memo_ == nullptr) return MakeParticipantBlock(out, run_, bouts_, columns_, p);
    if (memo_->WriteAgain(out, BlockKind::kParticipant, static_cast<std::size_t>(p))) return;
    key_.Clear();
    key_.Add(static_cast<std::size_t>(p) < run_.BoutCount.size()
                 ? run_.BoutCount[static_cast<std::size_t>(p)]
                 : 0);
    for (int i = bouts_.start[static_cast<std::size_t>(p)];
         i < bouts_.start[static_cast<std::size_t>(p) + 1]; ++i) {
      const BoutEntry& o =
          run_.BoutList[static_cast<std::size_t>(bouts_.lines[static_cast<std::size_t>(i)].entry)];
      key_.Add(o.BoutNumber).Add(o.WeightClass).Add(memo_->WrestlerName(o.SelectionIndex));
    }
    memo_->Write(out, BlockKind::kParticipant, static_cast<std::size_t>(p), key_,
                 [&](ReportText& text) { MakeParticipantBlock(text, run_, bouts_, columns_, p); });
  }

 private:
  const PairingRun& run_;
  const BoutsOfWrestler bouts_;
  ColumnTexts columns_;
  BlockMemo* memo_;
  BlockKey key_;
};

}  // namespace

std::vector<ClubGroup> ClubsInOrder(const PairingRun& run) {
  // Stripped texts are equal under the padded comparison exactly when they are equal
  // byte for byte, so the clubs can be gathered by hashing and only the distinct clubs
  // sorted.
  std::unordered_map<std::string_view, std::size_t> group_of;
  std::vector<std::string_view> stripped;
  std::vector<ClubGroup> groups;
  for (int p = 0; p < Rows(run); ++p) {
    const std::string_view club = text::WithoutBlanks(Wrestler(run, p).Club.view());
    // A club that sorts no later than a blank one (blank, or a control character) has
    // no report.
    if (text::ComparePadded(club, "") <= 0) continue;
    auto [it, is_new] = group_of.emplace(club, groups.size());
    if (is_new) {
      groups.push_back({std::string(Wrestler(run, p).Club.view()), {}});
      stripped.push_back(club);
    }
    groups[it->second].members.push_back(p);
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

std::vector<int> AlphaIndex(const PairingRun& run) {
  std::vector<AlphaKey> keys;
  keys.reserve(static_cast<std::size_t>(Rows(run)));
  for (int p = 0; p < Rows(run); ++p) keys.push_back(AlphaKeyOf(Wrestler(run, p)));
  const std::vector<std::size_t> order = ExchangeOrder(
      keys.size(), [&](std::size_t a, std::size_t b) { return CompareAlpha(keys[a], keys[b]); });
  return std::vector<int>(order.begin(), order.end());
}

namespace {

// Room for the text of a club report: its participant lines and opponent lines.
std::size_t ClubReportSize(const PairingRun& run) {
  return (4 * static_cast<std::size_t>(Rows(run)) + run.BoutList.size()) * 80 + 1024;
}

}  // namespace

void WriteBoutsByClubInto(const PairingRun& run, ReportText& out, BlockMemo* memo) {
  WriteBoutsByClubInto(run, ClubsInOrder(run), out, memo);
}

void WriteBoutsByClubInto(const PairingRun& run, const std::vector<ClubGroup>& groups,
                          ReportText& out, BlockMemo* memo) {
  out.Reserve(ClubReportSize(run));
  TitleLines(out, 44,
             {"Tandrel Results Reported For All Clubs", "           (in chosen sort order)"});
  ParticipantBlocks blocks(run, memo);
  for (const ClubGroup& group : groups) {
    ClubBlock(out, group.club);
    for (int p : group.members) blocks.Write(out, p);
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
  ForEachClubFile(run, ClubsInOrder(run), names, file, memo, name_key);
}

void ForEachClubFile(const PairingRun& run, const std::vector<ClubGroup>& groups,
                     const ClubFileNames& names,
                     const std::function<void(const std::string&, const ClubFileText&)>& file,
                     BlockMemo* memo, const FileNameKey& name_key) {
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
  std::vector<int> position(alpha.size());
  for (std::size_t i = 0; i < alpha.size(); ++i)
    position[static_cast<std::size_t>(alpha[i])] = static_cast<int>(i);
  ParticipantBlocks blocks(run, memo);
  for (const auto& [name, clubs] : files) {
    file(name, [&, &clubs = clubs](ReportText& out) {
      TitleLines(out, 53, {"Tandrel Results Reported Alphabetically by Club"});
      for (std::size_t g : clubs) {
        ClubBlock(out, groups[g].club);
        std::vector<int> members = groups[g].members;
        std::sort(members.begin(), members.end(), [&](int a, int b) {
          return position[static_cast<std::size_t>(a)] < position[static_cast<std::size_t>(b)];
        });
        for (int p : members) blocks.Write(out, p);
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

void WriteBoutsByBoutNumberInto(const PairingRun& run, ReportText& out, BlockMemo* memo) {
  out.Reserve(static_cast<std::size_t>(run.BoutOrder.size()) * 170 + 256);
  TitleLines(out, 45, {"Tandrel Results Reported by Bout Number"});
  const auto columns = [](ReportText& text, const BoutEntry& e) {
    text.Text(e.LastName.view(), 15).Literal(" ").Blanks(1).Text(e.FirstName.view(), 15);
    text.Literal(" ").Blanks(1).Text(e.Club.view(), 5).Literal(" ").Blanks(1);
    text.Fixed(e.Weight, 5, 1).Literal(" ").Blanks(1).Fixed(e.Age, 4, 0).Literal(" ").Blanks(1);
    text.Fixed(e.Rating, 5, 2).EndLine();
  };
  BlockKey key;
  for (std::size_t k = 0; k < run.BoutOrder.size() && static_cast<int>(k) < run.TotalBouts; ++k) {
    if (run.BoutOrder[k] < 0) continue;
    const std::size_t e = static_cast<std::size_t>(run.BoutOrder[k]);
    if (2 * e + 1 >= run.BoutList.size()) continue;
    const BoutEntry& a = run.BoutList[2 * e];
    const BoutEntry& b = run.BoutList[2 * e + 1];
    const auto block = [&](ReportText& text) {
      text.EndLine();
      text.Blanks(3).Int(a.BoutNumber, 4).Literal(" ").Blanks(1).Int(a.WeightClass, 3);
      text.Literal(" ").Blanks(1);
      columns(text, a);
      text.Blanks(14);
      columns(text, b);
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
