#include "bmp.h"

#include <algorithm>
#include <bit>
#include <optional>

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

// What the headers say, checked against the bytes: every row and the palette lie within them.
struct Header {
    int width = 0;
    int height = 0;
    bool bottomUp = true; // a positive height stores the rows from the bottom
    std::uint32_t bits = 0;
    std::uint32_t masks[3] = {0x7C00, 0x03E0, 0x001F};
    std::size_t offset = 0;
    std::size_t stride = 0;
    std::size_t paletteAt = 0;
    std::size_t paletteSize = 0; // entries, for 1, 4 and 8 bits a pixel
};

std::optional<Header> readHeader(std::span<const std::uint8_t> bytes)
{
    const Reader in(bytes);
    if (!in.has(0, kFileHeaderSize + kInfoHeaderSize) || in.u8(0) != 'B' || in.u8(1) != 'M')
        return std::nullopt;
    Header h;
    h.offset = in.u32(10);
    const std::uint32_t headerSize = in.u32(14);
    const auto width = static_cast<std::int32_t>(in.u32(18));
    const auto rawHeight = static_cast<std::int32_t>(in.u32(22));
    h.bits = in.u16(28);
    const std::uint32_t compression = in.u32(30);
    if (headerSize < kInfoHeaderSize || in.u16(26) != 1 || width <= 0 || rawHeight == 0 || width > 65536
        || rawHeight > 65536 || rawHeight < -65536)
        return std::nullopt;
    h.width = width;
    h.bottomUp = rawHeight > 0;
    h.height = h.bottomUp ? rawHeight : -rawHeight;

    const bool indexed = h.bits == 1 || h.bits == 4 || h.bits == 8;
    if (compression == kBitFields && (h.bits == 16 || h.bits == 32)) {
        const std::size_t at = kFileHeaderSize + kInfoHeaderSize;
        if (!in.has(at, 12))
            return std::nullopt;
        for (int i = 0; i < 3; ++i)
            h.masks[i] = in.u32(at + 4 * static_cast<std::size_t>(i));
        if (!(Channel(h.masks[0]).isValid() && Channel(h.masks[1]).isValid() && Channel(h.masks[2]).isValid()))
            return std::nullopt;
    } else if (compression != kPlain || !(h.bits == 24 || h.bits == 16 || indexed)) {
        return std::nullopt;
    }
    if (indexed) {
        const std::uint32_t used = in.u32(46);
        const std::uint32_t most = std::uint32_t{1} << h.bits;
        h.paletteSize = used == 0 || used > most ? most : used;
        h.paletteAt = kFileHeaderSize + headerSize;
        if (!in.has(h.paletteAt, 4 * h.paletteSize))
            return std::nullopt;
    }

    h.stride = (static_cast<std::size_t>(h.width) * h.bits + 31) / 32 * 4;
    if (!in.has(h.offset, h.stride * static_cast<std::size_t>(h.height)))
        return std::nullopt;
    return h;
}

// Reads one row at a time, from the top, straight from the bytes that readHeader has checked.
class RowReader {
public:
    RowReader(std::span<const std::uint8_t> bytes, const Header& h)
        : bytes_(bytes)
        , h_(h)
        , red_(h.masks[0])
        , green_(h.masks[1])
        , blue_(h.masks[2])
        , row_(static_cast<std::size_t>(h.width))
    {
        for (std::size_t i = 0; i < h.paletteSize; ++i) {
            const std::uint8_t* entry = bytes.data() + h.paletteAt + 4 * i;
            palette_.push_back({entry[2], entry[1], entry[0]});
        }
    }

    std::span<const sim::Colour> row(int y)
    {
        if (y == decoded_)
            return row_;
        decoded_ = y;
        const std::uint8_t* p =
            bytes_.data() + h_.offset + h_.stride * static_cast<std::size_t>(h_.bottomUp ? h_.height - 1 - y : y);
        if (h_.bits == 24) {
            for (sim::Colour& c : row_) {
                c = {p[2], p[1], p[0]};
                p += 3;
            }
        } else if (h_.bits >= 16) {
            const std::size_t size = h_.bits / 8;
            for (sim::Colour& c : row_) {
                std::uint32_t pixel = p[0] | (std::uint32_t{p[1]} << 8);
                if (size == 4)
                    pixel |= (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[3]} << 24);
                c = {red_.of(pixel), green_.of(pixel), blue_.of(pixel)};
                p += size;
            }
        } else {
            // Indexed: the leftmost pixel in the highest bits of its byte. An index past the
            // palette reads as black.
            const std::uint32_t perByte = 8 / h_.bits;
            const std::uint32_t mask = (1u << h_.bits) - 1;
            for (std::size_t x = 0; x < row_.size(); ++x) {
                const std::uint32_t shift = 8 - h_.bits * (static_cast<std::uint32_t>(x % perByte) + 1);
                const std::size_t index = (p[x / perByte] >> shift) & mask;
                row_[x] = index < palette_.size() ? palette_[index] : sim::clBlack;
            }
        }
        return row_;
    }

private:
    std::span<const std::uint8_t> bytes_;
    const Header& h_;
    Channel red_, green_, blue_;
    std::vector<sim::Colour> palette_;
    std::vector<sim::Colour> row_;
    int decoded_ = -1;
};

// The nearest-neighbour stretch of a picture of `size` over `to`: target column x shows source
// column floor(x * source width / target width), and rows likewise. `rowOf(y)` gives source row y;
// only the rows within the canvas's clip are asked for.
template <typename RowOf>
void stretchRows(Canvas& canvas, PictureSize size, const Rect& to, RowOf&& rowOf)
{
    if (size.width <= 0 || size.height <= 0 || to.isEmpty())
        return;
    std::vector<sim::Colour> stretched(static_cast<std::size_t>(to.width));
    for (int y = 0; y < to.height; ++y) {
        const int canvasRow = canvas.origin().y + to.top + y;
        if (canvasRow < canvas.clip().top || canvasRow >= canvas.clip().bottom())
            continue;
        const std::span<const sim::Colour> row =
            rowOf(static_cast<int>(static_cast<std::int64_t>(y) * size.height / to.height));
        for (int x = 0; x < to.width; ++x)
            stretched[static_cast<std::size_t>(x)] =
                row[static_cast<std::size_t>(static_cast<std::int64_t>(x) * size.width / to.width)];
        canvas.setRow(to.left, to.top + y, stretched);
    }
}

} // namespace

bool decodeBmp(std::span<const std::uint8_t> bytes, Picture& picture)
{
    const std::optional<Header> h = readHeader(bytes);
    if (!h)
        return false;
    picture.width = h->width;
    picture.height = h->height;
    picture.pixels.resize(static_cast<std::size_t>(h->width) * static_cast<std::size_t>(h->height));
    RowReader reader(bytes, *h);
    for (int y = 0; y < h->height; ++y) {
        const std::span<const sim::Colour> row = reader.row(y);
        std::copy(row.begin(), row.end(), picture.pixels.begin() + static_cast<std::ptrdiff_t>(y) * h->width);
    }
    return true;
}

std::optional<PictureSize> bmpSize(std::span<const std::uint8_t> bytes)
{
    const std::optional<Header> h = readHeader(bytes);
    if (!h)
        return std::nullopt;
    return PictureSize{h->width, h->height};
}

bool drawBmpStretched(Canvas& canvas, std::span<const std::uint8_t> bytes, const Rect& to)
{
    const std::optional<Header> h = readHeader(bytes);
    if (!h)
        return false;
    RowReader reader(bytes, *h);
    stretchRows(canvas, {h->width, h->height}, to, [&](int y) { return reader.row(y); });
    return true;
}

void drawStretched(Canvas& canvas, const Picture& picture, const Rect& to)
{
    stretchRows(canvas, {picture.width, picture.height}, to, [&](int y) {
        return std::span<const sim::Colour>(picture.pixels)
            .subspan(static_cast<std::size_t>(y) * picture.width, static_cast<std::size_t>(picture.width));
    });
}

} // namespace core
