#include "pairing/optimal_rounds.h"

#include <algorithm>
#include <cstddef>
#include <numeric>
#include <tuple>

#include <boost/graph/adjacency_list.hpp>
#include <boost/graph/edge_coloring.hpp>

#include "pairing/pairing_phase.h"

namespace kestrio::pairing {
namespace {

struct BoutEdge {
  std::size_t colour = 0;
};
using BoutGraph = boost::adjacency_list<boost::vecS, boost::vecS, boost::undirectedS,
                                        boost::no_property, BoutEdge>;

}  // namespace

std::vector<int> ArrangeRounds(int size, const std::vector<std::pair<int, int>>& bouts) {
  BoutGraph graph(static_cast<std::size_t>(size));
  std::vector<BoutGraph::edge_descriptor> edges;
  edges.reserve(bouts.size());
  for (const auto& [a, b] : bouts) edges.push_back(boost::add_edge(a, b, graph).first);
  const std::size_t colours = boost::edge_coloring(graph, boost::get(&BoutEdge::colour, graph));

  // Largest rounds first; equal ones in colour order.
  std::vector<int> count(colours, 0);
  for (const auto& e : edges) ++count[graph[e].colour];
  std::vector<int> order(colours);
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int x, int y) { return count[x] > count[y]; });
  std::vector<int> round_of(colours);
  for (std::size_t r = 0; r < colours; ++r) round_of[order[r]] = static_cast<int>(r);

  std::vector<int> rounds;
  rounds.reserve(edges.size());
  for (const auto& e : edges) rounds.push_back(round_of[graph[e].colour]);
  return rounds;
}

void FillOptimalRun(const std::vector<OptimalBout>& bouts, PairingRun& run) {
  std::vector<std::pair<int, int>> pairs;
  pairs.reserve(bouts.size());
  for (const OptimalBout& b : bouts) pairs.emplace_back(b.a, b.b);
  const std::vector<int> rounds = ArrangeRounds(run.SelectionSize, pairs);

  // Creation order: optimum bouts, then non-optimum ones, each by round and wrestler.
  std::vector<std::size_t> order(bouts.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::sort(order.begin(), order.end(), [&](std::size_t x, std::size_t y) {
    return std::tuple(bouts[x].relaxed, rounds[x], bouts[x].a, bouts[x].b) <
           std::tuple(bouts[y].relaxed, rounds[y], bouts[y].a, bouts[y].b);
  });
  const int last_round = rounds.empty() ? 0 : *std::max_element(rounds.begin(), rounds.end()) + 1;
  EnsureRounds(run, last_round);
  run.BoutList.reserve(2 * bouts.size());
  std::int32_t created = 0;
  for (const std::size_t k : order) {
    const OptimalBout& bout = bouts[k];
    const std::int32_t number = bout.relaxed ? -(++created) : ++created;
    AppendBout(run, number, bout.a, bout.b);
    for (const int a : {bout.a, bout.b}) {
      run.RoundTable[static_cast<std::size_t>(a) * run.RoundCapacity + rounds[k]] = number;
    }
  }
  run.TotalBouts = created;
  FinishBouts(run, last_round);
}

}  // namespace kestrio::pairing
