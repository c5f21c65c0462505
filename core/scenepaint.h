#pragma once

#include "bmp.h"
#include "canvas.h"
#include "itemsurface.h"
#include "layout.h"
#include "state.h"
#include "window.h"

namespace core {

struct ScenePictures {
    const Picture* faucet = nullptr;
    const Picture* verticalScale = nullptr;
    const Picture* horizontalScale = nullptr;
};

// For a front end that draws the window's surface itself and puts real controls and texts over
// it (the browser page). Repaints `area` of the client area and nothing beyond it, the graph
// included: the window's painting (paintWindowAreas),
// then each shown shape, picture, label ground, static text ground with its border, button face and
// list edge and scroll bar, in creation order, so later items lie over earlier ones. The buttons'
// captions, the lists' rows, every text and a picture that has not been given are left to the
// front end.
void paintScene(Canvas& canvas, const Rect& area, const sim::Scene& window, const sim::State& state,
                const ScenePictures& pictures);

} // namespace core
