// The yellow cartoon tap that pours the water into the tank.
#pragma once

#include "bmpfile.h"

namespace picturegen {

inline constexpr int kFaucetWidth = 319;
inline constexpr int kFaucetHeight = 287;

Image555 renderFaucet();

} // namespace picturegen
