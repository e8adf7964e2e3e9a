// Built as C++17: the matching library's node and edge maps use allocator members that
// C++20 removed. Only plain data crosses this file's interface.

#include "pairing/optimal_matching.h"

#include <algorithm>

#include <lemon/matching.h>
#include <lemon/smart_graph.h>

namespace kestrio::pairing {
namespace {

using Graph = lemon::SmartGraph;

// The largest reward of any slot and gain of any bout; the edge joining two ports must
// outweigh a port taken alone, so that a bout is made whole or not at all.
Weight PortBase(const SlotProblem& problem) {
  Weight largest = 0;
  for (const Weight& r : problem.SlotReward) largest = std::max(largest, r < 0 ? -r : r);
  for (const CandidateBout& bout : problem.Bouts) {
    largest = std::max(largest, bout.gain < 0 ? -bout.gain : bout.gain);
  }
  return largest * 2 + 1;
}

}  // namespace

SlotSolution SolveSlotProblem(const SlotProblem& problem) {
  const int wrestlers = static_cast<int>(problem.SlotStart.size()) - 1;
  Graph g;
  g.reserveNode(static_cast<int>(problem.SlotReward.size() + 2 * problem.Bouts.size()));
  std::vector<Graph::Node> slots;
  slots.reserve(problem.SlotReward.size());
  for (std::size_t s = 0; s < problem.SlotReward.size(); ++s) slots.push_back(g.addNode());

  const Weight base = PortBase(problem);
  Graph::EdgeMap<Weight> weight(g);
  std::vector<Graph::Node> ports;
  ports.reserve(2 * problem.Bouts.size());
  for (const CandidateBout& bout : problem.Bouts) {
    const Graph::Node pa = g.addNode();
    const Graph::Node pb = g.addNode();
    ports.push_back(pa);
    ports.push_back(pb);
    weight[g.addEdge(pa, pb)] = base * 2;
    // The gain is split between the two sides; made, the bout adds exactly its gain and
    // the two slot rewards to the weight of leaving it out.
    const Weight half = bout.gain / 2;
    const Weight side[2] = {half, bout.gain - half};
    const std::int32_t who[2] = {bout.a, bout.b};
    for (int k = 0; k < 2; ++k) {
      for (std::int32_t s = problem.SlotStart[who[k]]; s < problem.SlotStart[who[k] + 1]; ++s) {
        weight[g.addEdge(slots[s], k == 0 ? pa : pb)] = base + side[k] + problem.SlotReward[s];
      }
    }
  }

  lemon::MaxWeightedMatching<Graph, Graph::EdgeMap<Weight>> matching(g, weight);
  matching.run();

  SlotSolution solution;
  solution.Made.resize(problem.Bouts.size());
  for (std::size_t k = 0; k < problem.Bouts.size(); ++k) {
    solution.Made[k] = matching.mate(ports[2 * k]) != ports[2 * k + 1] &&
                       matching.mate(ports[2 * k]) != lemon::INVALID;
  }
  const Weight scale = Weight(decltype(matching)::dualScale);
  solution.Price.assign(static_cast<std::size_t>(wrestlers), std::numeric_limits<Weight>::max());
  for (int w = 0; w < wrestlers; ++w) {
    for (std::int32_t s = problem.SlotStart[w]; s < problem.SlotStart[w + 1]; ++s) {
      const Weight price = matching.nodeValue(slots[s]) - scale * problem.SlotReward[s];
      solution.Price[w] = std::min(solution.Price[w], price);
    }
  }
  return solution;
}

}  // namespace kestrio::pairing
