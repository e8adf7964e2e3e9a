#include "reports/alpha_index.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "base/exchange_order.h"
#include "base/fixed_text.h"

namespace kestrio::reports {
namespace {

using Name = text::FixedText<32>;
static_assert(std::is_same_v<decltype(pairing::SelectedParticipant::LastName), Name> &&
                  std::is_same_v<decltype(pairing::SelectedParticipant::FirstName), Name>,
              "both names of the selection are held alike");

// A name as it compares, without its blanks and padded with blanks to its full width, as
// words that compare as those characters do: the first character in the highest byte.
constexpr std::size_t kWords = Name::kWidth / 8;
struct NameWords {
  std::uint64_t word[kWords];

  friend bool operator==(const NameWords& a, const NameWords& b) {
    return std::memcmp(a.word, b.word, sizeof a.word) == 0;
  }
  friend bool operator<(const NameWords& a, const NameWords& b) {
    for (std::size_t k = 0; k < kWords; ++k) {
      if (a.word[k] != b.word[k]) return a.word[k] < b.word[k];
    }
    return false;
  }
};

std::uint64_t HighFirstWord(const char* at) {
  std::uint64_t word;
  std::memcpy(&word, at, sizeof word);
  if constexpr (std::endian::native == std::endian::little) {
    // The bytes reversed in three steps, which compilers make one instruction.
    word = (word & 0x00000000FFFFFFFFULL) << 32 | (word & 0xFFFFFFFF00000000ULL) >> 32;
    word = (word & 0x0000FFFF0000FFFFULL) << 16 | (word & 0xFFFF0000FFFF0000ULL) >> 16;
    word = (word & 0x00FF00FF00FF00FFULL) << 8 | (word & 0xFF00FF00FF00FF00ULL) >> 8;
  }
  return word;
}

NameWords WordsOf(const Name& name) {
  // A name is held padded with blanks, so without leading blanks it is already the text
  // its comparison pads.
  const char* text = name.data();
  char shifted[Name::kWidth];
  if (text[0] == ' ') {
    const std::string_view bare = text::WithoutLeadingBlanks(name.view());
    std::memset(shifted, ' ', sizeof shifted);
    std::memcpy(shifted, bare.data(), bare.size());
    text = shifted;
  }
  NameWords words;
  for (std::size_t k = 0; k < kWords; ++k) words.word[k] = HighFirstWord(text + 8 * k);
  return words;
}

// The distinct names of one kind (surnames or given names) and each one's rank among
// them: a roster repeats its names (brothers, cousins, common given names), so the
// alphabetical order sorts the distinct names and then compares ranks, not texts.
class NameRanks {
 public:
  explicit NameRanks(std::size_t names) {
    std::size_t size = 16;
    while (size < 2 * names) size *= 2;
    slots_.assign(size, kEmpty);
    mask_ = size - 1;
    distinct_.reserve(names);
  }

  // The number of name (counted from 0 in the order first seen).
  std::uint32_t Add(const NameWords& name) {
    std::uint64_t h = name.word[0];
    for (std::size_t k = 1; k < kWords; ++k) h = (h ^ (h >> 29)) * kMix + name.word[k];
    h = (h ^ (h >> 32)) * kMix;
    for (std::size_t slot = (h >> 20) & mask_;; slot = (slot + 1) & mask_) {
      const std::uint32_t at = slots_[slot];
      if (at == kEmpty) {
        slots_[slot] = static_cast<std::uint32_t>(distinct_.size());
        distinct_.push_back(name);
        return slots_[slot];
      }
      if (distinct_[at] == name) return at;
    }
  }

  // By number: the name's rank among the distinct names, in ascending order.
  std::vector<std::uint32_t> Ranks() const {
    std::vector<std::uint32_t> by_name(distinct_.size());
    for (std::uint32_t i = 0; i < by_name.size(); ++i) by_name[i] = i;
    std::sort(by_name.begin(), by_name.end(),
              [&](std::uint32_t a, std::uint32_t b) { return distinct_[a] < distinct_[b]; });
    std::vector<std::uint32_t> rank(distinct_.size());
    for (std::uint32_t r = 0; r < by_name.size(); ++r) rank[by_name[r]] = r;
    return rank;
  }

 private:
  static constexpr std::uint32_t kEmpty = UINT32_MAX;
  static constexpr std::uint64_t kMix = 0x9e3779b97f4a7c15ULL;
  std::vector<std::uint32_t> slots_;
  std::size_t mask_ = 0;
  std::vector<NameWords> distinct_;
};

// A number's bits rearranged so that they compare as unsigned numbers as the number
// compares by value: 0 and -0 alike, and a number that is not one after every number
// (the order stays a strict weak ordering).
std::uint32_t OrderedBits(float v) {
  if (std::isnan(v)) return UINT32_MAX;
  if (v == 0) return std::uint32_t{1} << 31;
  const auto bits = std::bit_cast<std::uint32_t>(v);
  return (bits >> 31) != 0 ? ~bits : bits | std::uint32_t{1} << 31;
}

// The items of from in ascending order of key(item), each below buckets, items of equal
// keys in the order from gives them.
template <typename Key>
std::vector<std::uint32_t> CountingOrder(const std::vector<std::uint32_t>& from,
                                         std::size_t buckets, const Key& key) {
  std::vector<std::uint32_t> next(buckets + 1, 0);
  for (const std::uint32_t item : from) ++next[key(item) + 1];
  for (std::size_t b = 1; b <= buckets; ++b) next[b] += next[b - 1];
  std::vector<std::uint32_t> out(from.size());
  for (const std::uint32_t item : from) out[next[key(item)]++] = item;
  return out;
}

int Rows(const pairing::PairingRun& run) {
  return std::min<int>(run.SelectionSize, static_cast<int>(run.SelectedList.size()));
}

}  // namespace

std::vector<int> AlphaIndex(const pairing::PairingRun& run) {
  const auto n = static_cast<std::size_t>(Rows(run));
  // Every key as whole numbers that compare as the keys do, side by side in memory with
  // the selection index that keeps equal wrestlers in selection order, as the exchange
  // sort's replay of ties wants them: the names by rank, the numbers by their bits.
  struct Sortable {
    std::uint64_t names;       // surname rank, then given name rank
    std::uint64_t age_weight;  // OrderedBits of each
    std::uint64_t rating_p;    // OrderedBits of the rating, then the selection index

    bool SameKeys(const Sortable& o) const {
      return names == o.names && age_weight == o.age_weight && (rating_p ^ o.rating_p) >> 32 == 0;
    }
  };
  NameRanks surnames(n);
  NameRanks given_names(n);
  std::vector<Sortable> keys(n);
  for (std::size_t p = 0; p < n; ++p) {
    const pairing::SelectedParticipant& w = run.SelectedList[p];
    keys[p].names = std::uint64_t{surnames.Add(WordsOf(w.LastName))} << 32 |
                    given_names.Add(WordsOf(w.FirstName));
    keys[p].age_weight = std::uint64_t{OrderedBits(w.Age)} << 32 | OrderedBits(w.Weight);
    keys[p].rating_p = std::uint64_t{OrderedBits(w.Rating)} << 32 | p;
  }
  const std::vector<std::uint32_t> surname_rank = surnames.Ranks();
  const std::vector<std::uint32_t> given_rank = given_names.Ranks();
  for (Sortable& key : keys) {
    key.names =
        std::uint64_t{surname_rank[key.names >> 32]} << 32 | given_rank[key.names & UINT32_MAX];
  }
  // The ranks are few and dense, so the wrestlers are put in order of their names by
  // counting, given name then surname, each pass keeping the order it was given (equal
  // names in selection order); only the wrestlers of one name are then sorted, by their
  // numbers and selection index.
  std::vector<std::uint32_t> selection(n);
  for (std::uint32_t p = 0; p < n; ++p) selection[p] = p;
  const std::vector<std::uint32_t> by_given = CountingOrder(
      selection, given_rank.size(), [&](std::uint32_t p) { return keys[p].names & UINT32_MAX; });
  const std::vector<std::uint32_t> by_name = CountingOrder(
      by_given, surname_rank.size(), [&](std::uint32_t p) { return keys[p].names >> 32; });
  std::vector<Sortable> sorted(n);
  for (std::size_t i = 0; i < n; ++i) sorted[i] = keys[by_name[i]];
  for (std::size_t first = 0; first < n;) {
    std::size_t last = first + 1;
    while (last < n && sorted[last].names == sorted[first].names) ++last;
    std::sort(sorted.begin() + static_cast<std::ptrdiff_t>(first),
              sorted.begin() + static_cast<std::ptrdiff_t>(last),
              [](const Sortable& a, const Sortable& b) {
                if (a.age_weight != b.age_weight) return a.age_weight < b.age_weight;
                return a.rating_p < b.rating_p;
              });
    first = last;
  }
  std::vector<std::size_t> by_key(n);
  for (std::size_t i = 0; i < n; ++i) by_key[i] = sorted[i].rating_p & UINT32_MAX;
  const std::vector<std::size_t> order = ExchangeOrderOfSorted(
      by_key, [&](std::size_t i) { return sorted[i - 1].SameKeys(sorted[i]); });
  return std::vector<int>(order.begin(), order.end());
}

}  // namespace kestrio::reports
