#include "bmp.h"

#include <bit>

namespace core {

namespace {

constexpr std::uint32_t kPlain = 0;
constexpr std::uint32_t kBitFields = 3;
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;

class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> bytes)
        : bytes_(bytes)
    {
    }
    bool has(std::size_t at, std::size_t count) const { return at <= bytes_.size() && count <= bytes_.size() - at; }
    std::uint32_t u16(std::size_t at) const { return bytes_[at] | (std::uint32_t{bytes_[at + 1]} << 8); }
    std::uint32_t u32(std::size_t at) const { return u16(at) | (u16(at + 2) << 16); }
    std::uint8_t u8(std::size_t at) const { return bytes_[at]; }

private:
    std::span<const std::uint8_t> bytes_;
};

// One channel of a bit-field pixel.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint32_t scale = 0; // 256 / (largest value + 1)

    explicit Channel(std::uint32_t m)
        : mask(m)
        , shift(m == 0 ? 0 : std::countr_zero(m))
    {
        const std::uint32_t largest = m >> shift;
        scale = largest == 0 ? 0 : 256 / (largest + 1);
    }
    bool isValid() const { return mask != 0 && std::has_single_bit((mask >> shift) + 1) && scale > 0; }
    std::uint8_t of(std::uint32_t pixel) const
    {
        const std::uint32_t v = ((pixel & mask) >> shift) * scale;
        return static_cast<std::uint8_t>(v > 255 ? 255 : v);
    }
};

} // namespace

bool decodeBmp(std::span<const std::uint8_t> bytes, Picture& picture)
{
    const Reader in(bytes);
    if (!in.has(0, kFileHeaderSize + kInfoHeaderSize) || in.u8(0) != 'B' || in.u8(1) != 'M')
        return false;
    const std::uint32_t offset = in.u32(10);
    const std::uint32_t headerSize = in.u32(14);
    const auto width = static_cast<std::int32_t>(in.u32(18));
    const auto rawHeight = static_cast<std::int32_t>(in.u32(22));
    const std::uint32_t bits = in.u16(28);
    const std::uint32_t compression = in.u32(30);
    if (headerSize < kInfoHeaderSize || in.u16(26) != 1 || width <= 0 || rawHeight == 0 || width > 65536
        || rawHeight > 65536 || rawHeight < -65536)
        return false;
    // A positive height stores the rows from the bottom.
    const bool bottomUp = rawHeight > 0;
    const int height = bottomUp ? rawHeight : -rawHeight;

    std::uint32_t masks[3] = {0x7C00, 0x03E0, 0x001F};
    if (compression == kBitFields && (bits == 16 || bits == 32)) {
        const std::size_t at = kFileHeaderSize + kInfoHeaderSize;
        if (!in.has(at, 12))
            return false;
        for (int i = 0; i < 3; ++i)
            masks[i] = in.u32(at + 4 * static_cast<std::size_t>(i));
    } else if (!(compression == kPlain && (bits == 24 || bits == 16))) {
        return false;
    }
    const Channel red(masks[0]);
    const Channel green(masks[1]);
    const Channel blue(masks[2]);
    if (bits != 24 && !(red.isValid() && green.isValid() && blue.isValid()))
        return false;

    const std::size_t stride = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
    if (!in.has(offset, stride * static_cast<std::size_t>(height)))
        return false;

    picture.width = width;
    picture.height = height;
    picture.pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), {});
    for (int y = 0; y < height; ++y) {
        const std::size_t row = offset + stride * static_cast<std::size_t>(bottomUp ? height - 1 - y : y);
        sim::Colour* out = picture.pixels.data() + static_cast<std::size_t>(y) * width;
        for (int x = 0; x < width; ++x) {
            const std::size_t at = row + static_cast<std::size_t>(x) * bits / 8;
            if (bits == 24) {
                out[x] = {in.u8(at + 2), in.u8(at + 1), in.u8(at)};
            } else {
                const std::uint32_t pixel = bits == 16 ? in.u16(at) : in.u32(at);
                out[x] = {red.of(pixel), green.of(pixel), blue.of(pixel)};
            }
        }
    }
    return true;
}

void drawStretched(Canvas& canvas, const Picture& picture, const Rect& to)
{
    if (picture.width <= 0 || picture.height <= 0 || to.isEmpty())
        return;
    for (int y = 0; y < to.height; ++y) {
        const auto sy = static_cast<int>(static_cast<std::int64_t>(y) * picture.height / to.height);
        for (int x = 0; x < to.width; ++x) {
            const auto sx = static_cast<int>(static_cast<std::int64_t>(x) * picture.width / to.width);
            canvas.setPixel(to.left + x, to.top + y, picture.at(sx, sy));
        }
    }
}

} // namespace core
