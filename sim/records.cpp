#include "simulation.h"

namespace sim {

// Stores the present state as the next record. The volume text is the one shown; the time text is
// the one shown, or the record's own number while automatic recording is on (so automatic records
// read 1.0, 2.0, ... even when the tick that took them showed 1.1).
void Simulation::btnKirokuClick()
{
    State& s = state_;
    if (s.KirokuSu > kMaxRecords - 1)
        return;
    s.KirokuSu += 1;
    const int k = s.KirokuSu;
    window_.setVisible(Item::btnTenki, true);
    s.Ten[k] = s.Ten[0];
    s.KirokuX[k] = s.KirokuAutoFlg ? numberText(k) : window_.caption(Item::stxKJHyoji);
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
