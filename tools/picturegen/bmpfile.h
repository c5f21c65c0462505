// Writers for the three flavours of Windows BMP the program ships.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace picturegen {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Pixels listed row by row from the top.
struct Image24 {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;
};

// Pixels as 5-5-5 words (red in bits 10-14), row by row from the top.
struct Image555 {
    int width = 0;
    int height = 0;
    std::vector<std::uint16_t> pixels;
};

// Palette indices, row by row from the top.
struct Image4 {
    int width = 0;
    int height = 0;
    std::array<Rgb, 16> palette{};
    std::vector<std::uint8_t> pixels;
};

std::vector<std::uint8_t> encodeBmp24(const Image24& image);
std::vector<std::uint8_t> encodeBmp555(const Image555& image);
std::vector<std::uint8_t> encodeBmp4(const Image4& image);

// Returns false (and says why on stderr) if the file cannot be written.
bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

} // namespace picturegen
