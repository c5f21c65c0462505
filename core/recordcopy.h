#pragma once

#include "window.h"

#include <string>

namespace core {

// The record table as a learner pastes it into a spreadsheet or a worksheet: two rows, a header
// cell and the ten cells each, exactly as the table shows them (empty cells stay empty, the
// decimal separator is the one shown).
//   text: "ｘ座標\t1.0\t2.0\t\t...\nｙ座標\t3.0\t5.0\t\t...\n" (tab-separated, a line break per row)
//   html: the same cells as an HTML table (UTF-8), for word processors
struct RecordsCopy {
    std::string text;
    std::string html;
};

RecordsCopy copyOfRecords(const sim::Scene& window);

} // namespace core
