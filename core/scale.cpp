#include "scale.h"

#include "layout.h"

#include <cmath>

namespace core {

Scale Scale::nearest(double factor, std::int64_t denominator)
{
    // Also refuses a NaN, which fails every comparison.
    if (!(factor > 0) || !(factor < 64) || denominator <= 0 || denominator > kLimit / 64)
        return {};
    const auto numerator = static_cast<std::int64_t>(std::floor(factor * static_cast<double>(denominator) + 0.5));
    return ratio(numerator, denominator);
}

Stage fitLesson(int spaceWidth, int spaceHeight)
{
    if (spaceWidth <= 0 || spaceHeight <= 0)
        return actualSize();
    // s = min(W / 1024, H / 768), kept as the exact fraction, so that the lesson's far edges land
    // on the space's own.
    const bool widthDecides = std::int64_t{spaceWidth} * kClientHeight <= std::int64_t{spaceHeight} * kClientWidth;
    const Scale scale =
        widthDecides ? Scale::ratio(spaceWidth, kClientWidth) : Scale::ratio(spaceHeight, kClientHeight);
    const int width = scale.at(kClientWidth);
    const int height = scale.at(kClientHeight);
    return {scale, (spaceWidth - width) / 2, (spaceHeight - height) / 2, width, height};
}

Stage actualSize(const Scale& pixelRatio)
{
    return {pixelRatio, 0, 0, pixelRatio.at(kClientWidth), pixelRatio.at(kClientHeight)};
}

} // namespace core
