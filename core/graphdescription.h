#pragma once

#include "state.h"

#include <string>
#include <string_view>

namespace core {

// The graph in words, for a learner who cannot see it (UTF-8): the plotted records with the
// coordinates the record table shows, whether they are joined and from where, and the live line's
// two ends while it is on. It tells only what is drawn: the slope and the intercept are the
// learner's to find, so neither is ever named or computed here.
std::string graphDescription(const sim::State& state, bool liveLine, std::string_view decimalSeparator);

} // namespace core
