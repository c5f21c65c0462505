#include "scenepaint.h"

#include "controlpaint.h"
#include "formpaint.h"

#include <algorithm>

namespace core {

namespace {

// A list scrolls by whole rows and shows its selected row at the top.
ScrollRange listRange(const sim::Scene& window, const ItemLayout& entry)
{
    const int last = std::max(entry.listRows - 1, 0);
    return {0, last, 1, std::clamp(window.selectedIndex(entry.item), 0, last)};
}

const Picture* pictureFor(Art art, const ScenePictures& pictures)
{
    switch (art) {
    case Art::Faucet:
        return pictures.faucet;
    case Art::VerticalScale:
        return pictures.verticalScale;
    case Art::HorizontalScale:
        return pictures.horizontalScale;
    case Art::None:
        break;
    }
    return nullptr;
}

} // namespace

void paintScene(Canvas& canvas, const Rect& area, const sim::Scene& window, const sim::State& state,
                const ScenePictures& pictures, const Stage& stage)
{
    const Scale& scale = stage.scale;
    // Only the area is painted, the graph included: a front end repaints what changed and no more.
    paintWindowAreas(canvas, std::span(&area, 1), paintInputOf(window, state, stage), GraphExtent::WithinAreas);

    const Rect savedClip = canvas.clip();
    const sim::Point savedOrigin = canvas.origin();
    canvas.setOrigin(stage.left, stage.top);
    canvas.setClip(area);
    const FillRect fill = fillOn(canvas);
    for (const ItemLayout& entry : layout()) {
        if (!window.isVisible(entry.item))
            continue;
        const Rect r = scale.rect(window.bounds(entry.item));
        switch (entry.kind) {
        case Kind::Shape:
            fillShape(r, entry, fill, scale);
            break;
        case Kind::Picture:
            if (const Picture* picture = pictureFor(entry.art, pictures))
                drawStretched(canvas, *picture, r);
            break;
        case Kind::Label:
            canvas.fill(r, resolve(entry.background));
            break;
        case Kind::StaticText:
            fillStaticText(r, entry, fill, scale);
            break;
        case Kind::PushButton:
        case Kind::ColourButton:
            paintButtonFace(canvas, r, false, scale);
            break;
        case Kind::ToggleButton:
            paintButtonFace(canvas, r, window.isPressed(entry.item), scale);
            break;
        case Kind::ListBox:
            paintListEdge(canvas, r, scale);
            paintScrollBar(canvas, listScrollBar(r, scale), listRange(window, entry), scale);
            break;
        default:
            break;
        }
    }
    canvas.setOrigin(savedOrigin.x, savedOrigin.y);
    canvas.setClip(savedClip);
}

} // namespace core
