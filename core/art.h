// The program's fixed pictures drawn from their description at the size they
// are shown, rather than a kept bitmap stretched to it.
#pragma once

#include "bmp.h"
#include "layout.h"

namespace core {

// The size a picture is designed at: that of its bitmap in assets/.
PictureSize artSize(Art art);

// The picture with its design box mapped onto width x height pixels, in the
// picture's own colours as decodeBmp reads them; at artSize it is exactly
// decodeBmp of the kept bitmap.  Empty, with nothing allocated, for Art::None
// and for a side of 0 or less or above art::kMaxPictureSide (8192).
Picture drawArt(Art art, int width, int height);

} // namespace core
