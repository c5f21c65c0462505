// The two number scales that stand beside the tank, the level bar and the
// time bar.
#pragma once

#include "bmp.h"

#include <string>
#include <vector>

namespace core::art {

// Where one figure's ink goes, in whole pixels, all bounds inclusive.
struct FigureBox {
    int digit = 0;
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
};

struct ScaleNumber {
    int value = 0;
    std::vector<FigureBox> figures;
};

struct ScaleLayout {
    int width = 0;
    int height = 0;
    double strokeWidth = 0;
    std::vector<ScaleNumber> numbers;
};

// Window background; the scales are drawn on it and smoothed towards black
// in sixteen steps.
inline constexpr sim::Colour kScaleBackground{192, 220, 192};

// The layouts the scales are designed at, those of the pictures kept in
// assets/.
ScaleLayout verticalScaleLayout();
ScaleLayout horizontalScaleLayout();

// The layout's boxes carried onto width x height pixels, each edge to the
// nearest pixel edge, and its stroke widened by the smaller of the two
// magnifications.  At the layout's own size it is the layout itself.
ScaleLayout scaledLayout(const ScaleLayout& layout, int width, int height);

// The scale of `layout` drawn at width x height, its figures in the boxes of
// scaledLayout.  Empty where isDrawableSize refuses the size.
Picture drawScale(const ScaleLayout& layout, int width, int height);

// Confirms that every figure's ink reaches all four sides of its box and
// that nothing lies outside the boxes; describes the first mismatch in
// `problem`.
bool inkMatchesLayout(const Picture& picture, const ScaleLayout& layout, std::string& problem);

} // namespace core::art
