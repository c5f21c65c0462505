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

void fillShape(const Rect& r, const ItemLayout& entry, const FillRect& fill)
{
    const sim::Colour brush = resolve(entry.background);
    if (entry.outline) {
        fill(r, sim::clBlack);
        fill({r.left + 1, r.top + 1, r.width - 2, r.height - 2}, brush);
    } else if (r.width > 1 && r.height > 1) {
        fill({r.left, r.top, r.width - 1, r.height - 1}, brush);
    }
}

void fillStaticText(const Rect& r, const ItemLayout& entry, const FillRect& fill)
{
    fill(r, resolve(entry.background));
    if (entry.border == Border::Single)
        fillEdge(r, sim::clBlack, sim::clBlack, fill);
    else if (entry.border == Border::Sunken)
        fillEdge(r, kSunkenShade, kSunkenLight, fill);
}

int textInset(Border border)
{
    return border == Border::None ? 0 : 1;
}

} // namespace core
