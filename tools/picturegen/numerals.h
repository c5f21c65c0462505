// The two number scales that stand beside the tank, the level bar and the
// time bar.
#pragma once

#include "bmpfile.h"

#include <string>
#include <vector>

namespace picturegen {

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
inline constexpr Rgb kScaleBackground{192, 220, 192};

ScaleLayout verticalScaleLayout();
ScaleLayout horizontalScaleLayout();

Image24 renderScale(const ScaleLayout& layout);

// Confirms that every figure's ink covers exactly its box and that nothing
// lies outside the boxes; describes the first mismatch in `problem`.
bool inkMatchesLayout(const Image24& image, const ScaleLayout& layout, std::string& problem);

} // namespace picturegen
