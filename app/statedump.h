#pragma once

#include <string>

class MainWindow;

// The state of the window as one line of JSON, keys in a fixed order: the simulation's variables,
// then what the widgets themselves show (bounds, captions, colour, visibility, selections,
// pressed state) and how many messages were shown. Scenario tests compare these lines.
std::string dumpState(const MainWindow& window);
