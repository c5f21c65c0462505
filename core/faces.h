#pragma once

#include "layout.h"

#include <array>
#include <span>

namespace core {

// The families that stand for each of the layout's faces, best first: the face it names, then what
// each system ships in its place (Debian's IPA and Liberation fonts, a Mac's, Windows', Android's),
// and last the generic family a browser falls back to. The desktop takes the first one installed;
// the page hands the whole list to the browser as a font-family.
struct FaceFamilies {
    Face face;
    std::array<const char*, 12> families; // in order of preference; unused ones are null
    const char* generic;
};

inline constexpr FaceFamilies kFaceFamilies[] = {
    {Face::Gothic,
     {kGothicFaceName, "MS PGothic", "IPAPGothic", "IPAGothic", "Hiragino Sans", "Hiragino Kaku Gothic ProN",
      "Yu Gothic", "YuGothic", "Meiryo", "Noto Sans CJK JP", "Noto Sans JP", "Droid Sans Japanese"},
     "sans-serif"},
    {Face::Serif, {kSerifFaceName, "Liberation Serif", "Tinos"}, "serif"},
};

constexpr const FaceFamilies& familiesOf(Face face)
{
    return face == Face::Gothic ? kFaceFamilies[0] : kFaceFamilies[1];
}
static_assert(familiesOf(Face::Serif).face == Face::Serif && familiesOf(Face::Gothic).face == Face::Gothic);

} // namespace core
