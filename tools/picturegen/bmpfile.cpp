#include "bmpfile.h"

#include <cstdio>

namespace picturegen {

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
// 72 dots per inch, the resolution every picture of the program declares.
constexpr std::uint32_t kPixelsPerMetre = 2834;
constexpr std::uint32_t kBitFields = 3;

class ByteWriter {
public:
    void u16(std::uint32_t v)
    {
        bytes.push_back(static_cast<std::uint8_t>(v & 0xFFu));
        bytes.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFFu));
    }
    void u32(std::uint32_t v)
    {
        u16(v & 0xFFFFu);
        u16(v >> 16);
    }
    void u8(std::uint32_t v) { bytes.push_back(static_cast<std::uint8_t>(v & 0xFFu)); }
    void zeros(std::size_t n) { bytes.insert(bytes.end(), n, 0); }

    std::vector<std::uint8_t> bytes;
};

std::uint32_t rowBytes(int width, int bitsPerPixel)
{
    // Rows are padded to whole 32-bit words.
    return ((static_cast<std::uint32_t>(width) * static_cast<std::uint32_t>(bitsPerPixel) + 31u) / 32u) * 4u;
}

void writeHeaders(ByteWriter& out, int width, int height, int bitsPerPixel, std::uint32_t compression,
                  std::uint32_t extraBytes, std::uint32_t coloursUsed)
{
    const std::uint32_t imageBytes = rowBytes(width, bitsPerPixel) * static_cast<std::uint32_t>(height);
    const std::uint32_t offset = kFileHeaderSize + kInfoHeaderSize + extraBytes;
    out.u8('B');
    out.u8('M');
    out.u32(offset + imageBytes);
    out.u32(0);
    out.u32(offset);
    out.u32(kInfoHeaderSize);
    out.u32(static_cast<std::uint32_t>(width));
    out.u32(static_cast<std::uint32_t>(height)); // positive: rows stored bottom-up
    out.u16(1);
    out.u16(static_cast<std::uint32_t>(bitsPerPixel));
    out.u32(compression);
    out.u32(imageBytes);
    out.u32(kPixelsPerMetre);
    out.u32(kPixelsPerMetre);
    out.u32(coloursUsed);
    out.u32(0);
}

} // namespace

std::vector<std::uint8_t> encodeBmp24(const Image24& image)
{
    ByteWriter out;
    writeHeaders(out, image.width, image.height, 24, 0, 0, 0);
    const std::uint32_t used = static_cast<std::uint32_t>(image.width) * 3u;
    const std::uint32_t padding = rowBytes(image.width, 24) - used;
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            const Rgb c = image.pixels[static_cast<std::size_t>(y * image.width + x)];
            out.u8(c.b);
            out.u8(c.g);
            out.u8(c.r);
        }
        out.zeros(padding);
    }
    return out.bytes;
}

std::vector<std::uint8_t> encodeBmp555(const Image555& image)
{
    ByteWriter out;
    writeHeaders(out, image.width, image.height, 16, kBitFields, 12, 0);
    out.u32(0x7C00);
    out.u32(0x03E0);
    out.u32(0x001F);
    const std::uint32_t used = static_cast<std::uint32_t>(image.width) * 2u;
    const std::uint32_t padding = rowBytes(image.width, 16) - used;
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            out.u16(image.pixels[static_cast<std::size_t>(y * image.width + x)]);
        }
        out.zeros(padding);
    }
    return out.bytes;
}

std::vector<std::uint8_t> encodeBmp4(const Image4& image)
{
    ByteWriter out;
    writeHeaders(out, image.width, image.height, 4, 0, 16 * 4, 16);
    for (const Rgb& c : image.palette) {
        out.u8(c.b);
        out.u8(c.g);
        out.u8(c.r);
        out.u8(0);
    }
    const std::uint32_t stride = rowBytes(image.width, 4);
    for (int y = image.height - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(stride, 0);
        for (int x = 0; x < image.width; ++x) {
            const std::uint8_t index = image.pixels[static_cast<std::size_t>(y * image.width + x)] & 0x0Fu;
            // The left pixel of each pair goes in the high nibble.
            row[static_cast<std::size_t>(x / 2)] |= static_cast<std::uint8_t>(x % 2 == 0 ? index << 4 : index);
        }
        out.bytes.insert(out.bytes.end(), row.begin(), row.end());
    }
    return out.bytes;
}

bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        std::fprintf(stderr, "picturegen: cannot create %s\n", path.c_str());
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        std::fprintf(stderr, "picturegen: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

} // namespace picturegen
