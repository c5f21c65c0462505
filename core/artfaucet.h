// The yellow cartoon tap that pours the water into the tank.
#pragma once

#include "bmp.h"

namespace core::art {

// The size the tap is designed at, that of the picture kept in assets/.
inline constexpr int kFaucetWidth = 319;
inline constexpr int kFaucetHeight = 287;

// The tap with its design box mapped onto width x height pixels, in its
// sixteen colours as the program reads a 5-5-5 picture, the background
// dithered on the pixels drawn.  Empty where isDrawableSize refuses the size.
Picture drawFaucet(int width, int height);

} // namespace core::art
