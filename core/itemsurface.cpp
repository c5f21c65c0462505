#include "itemsurface.h"

namespace core {

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

void fillShape(const Rect& r, const ItemLayout& entry, const FillRect& fill, const Scale& scale)
{
    const sim::Colour brush = resolve(entry.background);
    const int w = scale.length(1);
    if (entry.outline) {
        fill(r, sim::clBlack);
        fill({r.left + w, r.top + w, r.width - 2 * w, r.height - 2 * w}, brush);
    } else if (r.width > w && r.height > w) {
        fill({r.left, r.top, r.width - w, r.height - w}, brush);
    }
}

void fillStaticText(const Rect& r, const ItemLayout& entry, const FillRect& fill, const Scale& scale)
{
    fill(r, resolve(entry.background));
    if (entry.border == Border::Single)
        fillEdge(r, sim::clBlack, sim::clBlack, fill, scale.length(1));
    else if (entry.border == Border::Sunken)
        fillEdge(r, kSunkenShade, kSunkenLight, fill, scale.length(1));
}

int textInset(Border border, const Scale& scale)
{
    return border == Border::None ? 0 : scale.length(1);
}

} // namespace core
