#include "simulation.h"

namespace sim {

// "→ 記録する →": the present state as the next record, with the time and the volume as they are
// shown, so that the table and the dot on the graph always tell the same moment.
void Simulation::btnKirokuClick()
{
    record(window_.caption(Item::stxKJHyoji));
}

// Stores the live point and the volume shown as the next record, under `timeText`; an eleventh
// record changes nothing.
void Simulation::record(const std::string& timeText)
{
    State& s = state_;
    if (s.KirokuSu > kMaxRecords - 1)
        return;
    s.KirokuSu += 1;
    const int k = s.KirokuSu;
    window_.setVisible(Item::btnTenki, true);
    s.Ten[k] = s.Ten[0];
    s.KirokuX[k] = timeText;
    s.KirokuY[k] = window_.caption(Item::stxKSHyoji);
}

// Writes all twenty cells of the record table from the stored texts, column by column.
void Simulation::KirokuHyoji()
{
    for (int k = 1; k <= kMaxRecords; ++k) {
        window_.setCaption(timeCell(k), state_.KirokuX[k]);
        window_.setCaption(volumeCell(k), state_.KirokuY[k]);
    }
}

} // namespace sim
