// The program's icon: a tap filling a tank beside the straight line that
// the water level draws over time.
#pragma once

#include "bmpfile.h"

#include <vector>

namespace picturegen {

inline constexpr int kIconSize = 32;

// The icon at its native 32 x 32 in 16 colours.
Image4 renderIcon();

// The same drawing at `size` x `size` (a multiple of 32), smoothed, for
// desktop launchers.
Image24 renderIconLarge(int size);

} // namespace picturegen
