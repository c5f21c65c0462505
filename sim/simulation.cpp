#include "simulation.h"

#include "numbertext.h"

namespace sim {

Simulation::Simulation(Window& window)
    : window_(window)
{
}

std::string Simulation::numberText(long double value) const
{
    return sim::numberText(value, window_.decimalSeparator());
}

void Simulation::setTop(Item shape, std::int32_t top)
{
    Bounds b = bounds(shape);
    b.top = top;
    window_.setBounds(shape, b);
}

void Simulation::setWidth(Item shape, std::int32_t width)
{
    Bounds b = bounds(shape);
    b.width = width;
    window_.setBounds(shape, b);
}

void Simulation::setHeight(Item shape, std::int32_t height)
{
    Bounds b = bounds(shape);
    b.height = height;
    window_.setBounds(shape, b);
}

} // namespace sim
