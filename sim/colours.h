#pragma once

#include <cstdint>

namespace sim {

// A 24-bit colour. The table below writes each colour as 0x00BBGGRR, blue in the high byte, the
// form the colour names are known by; fromBgr() takes that form.
struct Colour {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    static constexpr Colour fromBgr(std::uint32_t bgr)
    {
        return {static_cast<std::uint8_t>(bgr & 0xFF), static_cast<std::uint8_t>((bgr >> 8) & 0xFF),
                static_cast<std::uint8_t>((bgr >> 16) & 0xFF)};
    }
    constexpr std::uint32_t rgb() const { return (std::uint32_t{r} << 16) | (std::uint32_t{g} << 8) | b; }
    friend constexpr bool operator==(Colour, Colour) = default;
};

inline constexpr Colour clMoneyGreen = Colour::fromBgr(0xC0DCC0);
inline constexpr Colour clSkyBlue = Colour::fromBgr(0xF0CAA6);
inline constexpr Colour clWhite = Colour::fromBgr(0xFFFFFF);
inline constexpr Colour clAqua = Colour::fromBgr(0xFFFF00);
inline constexpr Colour clLime = Colour::fromBgr(0x00FF00);
inline constexpr Colour clYellow = Colour::fromBgr(0x00FFFF);
inline constexpr Colour clPurple = Colour::fromBgr(0x800080);
inline constexpr Colour clMaroon = Colour::fromBgr(0x000080);
inline constexpr Colour clNavy = Colour::fromBgr(0x800000);
inline constexpr Colour clRed = Colour::fromBgr(0x0000FF);
inline constexpr Colour clBlue = Colour::fromBgr(0xFF0000);
inline constexpr Colour clBlack = Colour::fromBgr(0x000000);
inline constexpr Colour clSilver = Colour::fromBgr(0xC0C0C0);

static_assert(clMoneyGreen == Colour{192, 220, 192});
static_assert(clNavy.rgb() == 0x000080);

} // namespace sim
