#include "testing/literal_club_order.h"

#include <numeric>

#include "testing/exchange_sort.h"

namespace kestrio::testing {
namespace {

std::string_view Bare(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

int Rows(const pairing::PairingRun& run) {
  return std::min<int>(run.SelectionSize, static_cast<int>(run.SelectedList.size()));
}

// True when b comes strictly before a in the per-club files.
bool ComesBefore(const pairing::SelectedParticipant& b, const pairing::SelectedParticipant& a) {
  if (int c = CompareTexts(b.LastName.view(), a.LastName.view()); c != 0) return c < 0;
  if (int c = CompareTexts(b.FirstName.view(), a.FirstName.view()); c != 0) return c < 0;
  if (b.Age != a.Age) return b.Age < a.Age;
  if (b.Weight != a.Weight) return b.Weight < a.Weight;
  return b.Rating < a.Rating;
}

}  // namespace

int CompareTexts(std::string_view a, std::string_view b) {
  a = Bare(a);
  b = Bare(b);
  const std::size_t n = std::max(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const auto ca = static_cast<unsigned char>(i < a.size() ? a[i] : ' ');
    const auto cb = static_cast<unsigned char>(i < b.size() ? b[i] : ' ');
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  return 0;
}

std::optional<std::string> NextClub(const pairing::PairingRun& run, std::string_view previous) {
  const int n = Rows(run);
  auto club = [&](int p) { return run.SelectedList[static_cast<std::size_t>(p)].Club.view(); };
  int p = 0;
  while (p < n && CompareTexts(club(p), previous) <= 0) ++p;
  if (p == n) return std::nullopt;
  std::string_view candidate = club(p);
  for (int q = p + 1; q < n; ++q) {
    if (CompareTexts(club(q), candidate) < 0 && CompareTexts(club(q), previous) > 0) {
      candidate = club(q);
    }
  }
  return std::string(candidate);
}

std::vector<int> AlphaIndexByExchange(const pairing::PairingRun& run) {
  std::vector<int> index(static_cast<std::size_t>(Rows(run)));
  std::iota(index.begin(), index.end(), 0);
  ExchangeSort(index, [&](int b, int a) {
    return ComesBefore(run.SelectedList[static_cast<std::size_t>(b)],
                       run.SelectedList[static_cast<std::size_t>(a)]);
  });
  return index;
}

}  // namespace kestrio::testing
