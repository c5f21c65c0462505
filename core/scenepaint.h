#pragma once

#include "bmp.h"
#include "canvas.h"
#include "itemsurface.h"
#include "layout.h"
#include "scale.h"
#include "state.h"
#include "window.h"

namespace core {

struct ScenePictures {
    const Picture* faucet = nullptr;
    const Picture* verticalScale = nullptr;
    const Picture* horizontalScale = nullptr;
};

// For a front end that draws the window's surface itself and puts real controls and texts over
// it (the browser page). Repaints `area` (canvas pixels) and nothing beyond it, the graph
// included, with the lesson standing on the canvas where `stage` puts it: the window's painting
// (paintWindowAreas),
// then each shown shape, picture, label ground, static text ground with its border, button face and
// list edge and scroll bar, in creation order, so later items lie over earlier ones. The buttons'
// captions, the lists' rows, every text and a picture that has not been given are left to the
// front end. A picture is drawn stretched over its item's device rectangle: one drawn at that
// size already is copied as it is.
void paintScene(Canvas& canvas, const Rect& area, const sim::Scene& window, const sim::State& state,
                const ScenePictures& pictures, const Stage& stage = {});

} // namespace core
