#pragma once

// What the status bar says and which menu items are reachable: plain functions of the
// counters and the organiser's progress through the day.

#include <string>

#include "roster/roster.h"
#include "ui/menu_port.h"
#include "ui/view_state.h"

namespace kestrio::ui {

// "Stats:" and the six counters, each after five blanks, with their labels; a counter too
// wide for six characters shows as six asterisks. Cut at 512 characters.
std::string StatsText(const roster::RosterCounters& counters);

// Sets ReadyToPair, GuidanceText and StatsText from the counters, and clears PairingDone
// when the roster is not ready to pair.
void RecomputeStatusTexts(ViewState& view);

// The menu states after the rules, in their order. Some rules leave items as they were,
// so the result depends on `previous` (the state last applied): the run and its
// parameters become reachable only once the project was saved while the roster was ready.
MenuState ComputeMenuState(const ViewState& view, const MenuState& previous);

}  // namespace kestrio::ui
