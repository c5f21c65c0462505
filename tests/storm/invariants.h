#pragma once

#include <string>
#include <vector>

class MainWindow;

namespace storm {

// Everything about the window that must hold after any event, whatever led to it: the ranges of
// the variables, the bounds of the four moving shapes as the state ties them, the texts shown,
// the record table, the visibility chain of the graph buttons, the timer's interval, the lists'
// selections, and no error box. Returns one line per broken rule, empty when all hold.
//
// The rules allow exactly the states the program can reach, among them: after a reset the level
// Suii keeps its old value while the water and the level bar are emptied (height 1); a stop and a
// resume after a reset keep them emptied until the first rising tick; the time bar may stand
// beyond its frame for one tick.
std::vector<std::string> checkInvariants(const MainWindow& window);

} // namespace storm
