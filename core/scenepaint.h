#pragma once

#include "bmp.h"
#include "canvas.h"
#include "layout.h"
#include "state.h"
#include "window.h"

namespace core {

// The desktop's own colours as the main window resolves them: its text black, the ground of a
// list white, and the "menu" ground the window's green, because the window sets that colour for
// itself and its items inherit it.
sim::Colour resolve(ColourRef ref);

// The two colours of a sunken one-pixel edge in the desktop's style: the shade at the top and
// left, the light at the bottom and right.
inline constexpr sim::Colour kSunkenShade{0x9F, 0x9F, 0x9F};
inline constexpr sim::Colour kSunkenLight{0xFF, 0xFF, 0xFF};

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
