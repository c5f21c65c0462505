#include "scenepaint.h"

#include "controlpaint.h"
#include "formpaint.h"

#include <algorithm>

namespace core {

namespace {

Rect rectOf(const sim::Bounds& b)
{
    return {b.left, b.top, b.width, b.height};
}

// Without an outline the brush leaves the last column and row alone, so a shape one pixel high or
// wide shows nothing: the moving shapes look empty that way.
void paintShape(Canvas& canvas, const Rect& r, const ItemLayout& entry)
{
    const sim::Colour brush = resolve(entry.background);
    if (entry.outline) {
        canvas.fill(r, sim::clBlack);
        canvas.fill({r.left + 1, r.top + 1, r.width - 2, r.height - 2}, brush);
    } else if (r.width > 1 && r.height > 1) {
        canvas.fill({r.left, r.top, r.width - 1, r.height - 1}, brush);
    }
}

void paintStaticText(Canvas& canvas, const Rect& r, const ItemLayout& entry)
{
    canvas.fill(r, resolve(entry.background));
    if (entry.border == Border::Single)
        paintEdge(canvas, r, sim::clBlack, sim::clBlack);
    else if (entry.border == Border::Sunken)
        paintEdge(canvas, r, kSunkenShade, kSunkenLight);
}

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

sim::Colour resolve(ColourRef ref)
{
    switch (ref.source) {
    case ColourRef::Source::Fixed:
        return ref.fixed;
    case ColourRef::Source::WindowText:
        return sim::clBlack;
    case ColourRef::Source::Window:
        return sim::clWhite;
    case ColourRef::Source::Menu:
        return sim::clMoneyGreen;
    }
    return sim::clBlack;
}

void paintScene(Canvas& canvas, const Rect& area, const sim::Scene& window, const sim::State& state,
                const ScenePictures& pictures)
{
    using sim::Item;
    // Only the area is painted, the graph included: a front end repaints what changed and no more.
    paintWindowAreas(
        canvas, std::span(&area, 1),
        {window.bounds(Item::ShpWaku), window.bounds(Item::PaintBox1), window.isPressed(Item::spbGraphFlg), &state},
        GraphExtent::WithinAreas);

    const Rect savedClip = canvas.clip();
    const sim::Point savedOrigin = canvas.origin();
    canvas.setOrigin(0, 0);
    canvas.setClip(area);
    for (const ItemLayout& entry : layout()) {
        if (!window.isVisible(entry.item))
            continue;
        const Rect r = rectOf(window.bounds(entry.item));
        switch (entry.kind) {
        case Kind::Shape:
            paintShape(canvas, r, entry);
            break;
        case Kind::Picture:
            if (const Picture* picture = pictureFor(entry.art, pictures))
                drawStretched(canvas, *picture, r);
            break;
        case Kind::Label:
            canvas.fill(r, resolve(entry.background));
            break;
        case Kind::StaticText:
            paintStaticText(canvas, r, entry);
            break;
        case Kind::PushButton:
        case Kind::ColourButton:
            paintButtonFace(canvas, r, false);
            break;
        case Kind::ToggleButton:
            paintButtonFace(canvas, r, window.isPressed(entry.item));
            break;
        case Kind::ListBox:
            paintListEdge(canvas, r);
            paintScrollBar(canvas, listScrollBar(r), listRange(window, entry));
            break;
        default:
            break;
        }
    }
    canvas.setOrigin(savedOrigin.x, savedOrigin.y);
    canvas.setClip(savedClip);
}

} // namespace core
