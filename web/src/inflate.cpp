#include "inflate.h"

#include <array>

namespace web {

namespace {

constexpr int kMaxBits = 15;
constexpr int kLengthCodes = 29;
constexpr int kDistanceCodes = 30;
constexpr int kLiteralLengthSymbols = 288;

constexpr std::uint16_t kLengthBase[kLengthCodes] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                                     31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::uint8_t kLengthExtra[kLengthCodes] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                     2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::uint16_t kDistanceBase[kDistanceCodes] = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                                                         33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                                                         1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::uint8_t kDistanceExtra[kDistanceCodes] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                                         6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

// A canonical Huffman code: how many codes have each length, and the symbols in code order.
struct Huffman {
    std::array<std::uint16_t, kMaxBits + 1> count{};
    std::array<std::uint16_t, kLiteralLengthSymbols> symbol{};

    // False when the lengths over-subscribe the code. An incomplete code is allowed (a single
    // distance code is legal); decoding a missing code then fails.
    bool build(const std::uint8_t* lengths, int n)
    {
        count.fill(0);
        for (int i = 0; i < n; ++i)
            ++count[lengths[i]];
        int left = 1;
        for (int len = 1; len <= kMaxBits; ++len) {
            left = left * 2 - count[len];
            if (left < 0)
                return false;
        }
        std::array<std::uint16_t, kMaxBits + 1> offset{};
        for (int len = 1; len < kMaxBits; ++len)
            offset[len + 1] = static_cast<std::uint16_t>(offset[len] + count[len]);
        for (int i = 0; i < n; ++i) {
            if (lengths[i] != 0)
                symbol[offset[lengths[i]]++] = static_cast<std::uint16_t>(i);
        }
        return true;
    }
};

class Decoder {
public:
    Decoder(std::span<const std::uint8_t> in, std::vector<std::uint8_t>& out)
        : in_(in)
        , out_(out)
    {
    }

    bool run()
    {
        bool last = false;
        while (!last) {
            last = bits(1) == 1;
            const int type = bits(2);
            bool fine = false;
            if (type == 0)
                fine = stored();
            else if (type == 1)
                fine = fixed();
            else if (type == 2)
                fine = dynamic();
            if (!fine || broken_)
                return false;
        }
        return true;
    }

private:
    int bits(int need)
    {
        std::uint32_t value = buffer_;
        while (count_ < need) {
            if (at_ >= in_.size()) {
                broken_ = true;
                return 0;
            }
            value |= std::uint32_t{in_[at_++]} << count_;
            count_ += 8;
        }
        buffer_ = value >> need;
        count_ -= need;
        return static_cast<int>(value & ((1u << need) - 1));
    }

    int decode(const Huffman& h)
    {
        int code = 0;
        int first = 0;
        int index = 0;
        for (int len = 1; len <= kMaxBits; ++len) {
            code |= bits(1);
            if (broken_)
                return -1;
            const int n = h.count[len];
            if (code - n < first)
                return h.symbol[index + (code - first)];
            index += n;
            first = (first + n) << 1;
            code <<= 1;
        }
        return -1;
    }

    bool stored()
    {
        buffer_ = 0;
        count_ = 0;
        if (at_ + 4 > in_.size())
            return false;
        const unsigned length = in_[at_] | (unsigned{in_[at_ + 1]} << 8);
        const unsigned check = in_[at_ + 2] | (unsigned{in_[at_ + 3]} << 8);
        at_ += 4;
        if (length != (~check & 0xFFFFu) || at_ + length > in_.size())
            return false;
        out_.insert(out_.end(), in_.begin() + static_cast<std::ptrdiff_t>(at_),
                    in_.begin() + static_cast<std::ptrdiff_t>(at_ + length));
        at_ += length;
        return true;
    }

    bool codes(const Huffman& lengths, const Huffman& distances)
    {
        for (;;) {
            const int symbol = decode(lengths);
            if (symbol < 0)
                return false;
            if (symbol < 256) {
                out_.push_back(static_cast<std::uint8_t>(symbol));
                continue;
            }
            if (symbol == 256)
                return true;
            const int l = symbol - 257;
            if (l >= kLengthCodes)
                return false;
            const std::size_t length = kLengthBase[l] + static_cast<std::size_t>(bits(kLengthExtra[l]));
            const int d = decode(distances);
            if (d < 0 || d >= kDistanceCodes)
                return false;
            const std::size_t distance = kDistanceBase[d] + static_cast<std::size_t>(bits(kDistanceExtra[d]));
            if (broken_ || distance > out_.size())
                return false;
            // Byte by byte: a copy may overlap what it writes.
            const std::size_t from = out_.size() - distance;
            for (std::size_t i = 0; i < length; ++i)
                out_.push_back(out_[from + i]);
        }
    }

    bool fixed()
    {
        std::array<std::uint8_t, kLiteralLengthSymbols> lengths{};
        for (int i = 0; i < kLiteralLengthSymbols; ++i)
            lengths[static_cast<std::size_t>(i)] = i < 144 ? 8 : i < 256 ? 9 : i < 280 ? 7 : 8;
        std::array<std::uint8_t, kDistanceCodes> distances{};
        distances.fill(5);
        Huffman l;
        Huffman d;
        l.build(lengths.data(), kLiteralLengthSymbols);
        d.build(distances.data(), kDistanceCodes);
        return codes(l, d);
    }

    bool dynamic()
    {
        static constexpr std::uint8_t kOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
        const int nlen = bits(5) + 257;
        const int ndist = bits(5) + 1;
        const int ncode = bits(4) + 4;
        if (broken_ || nlen > 286 || ndist > kDistanceCodes)
            return false;
        std::array<std::uint8_t, 320> lengths{};
        for (int i = 0; i < ncode; ++i)
            lengths[kOrder[i]] = static_cast<std::uint8_t>(bits(3));
        Huffman lencode;
        if (!lencode.build(lengths.data(), 19))
            return false;
        lengths.fill(0);
        int index = 0;
        while (index < nlen + ndist) {
            const int symbol = decode(lencode);
            if (symbol < 0)
                return false;
            if (symbol < 16) {
                lengths[static_cast<std::size_t>(index++)] = static_cast<std::uint8_t>(symbol);
                continue;
            }
            std::uint8_t repeated = 0;
            int times = 0;
            if (symbol == 16) {
                if (index == 0)
                    return false;
                repeated = lengths[static_cast<std::size_t>(index - 1)];
                times = 3 + bits(2);
            } else if (symbol == 17) {
                times = 3 + bits(3);
            } else {
                times = 11 + bits(7);
            }
            if (index + times > nlen + ndist)
                return false;
            while (times-- > 0)
                lengths[static_cast<std::size_t>(index++)] = repeated;
        }
        if (lengths[256] == 0)
            return false; // no end-of-block code
        Huffman l;
        Huffman d;
        if (!l.build(lengths.data(), nlen) || !d.build(lengths.data() + nlen, ndist))
            return false;
        return codes(l, d);
    }

    std::span<const std::uint8_t> in_;
    std::vector<std::uint8_t>& out_;
    std::size_t at_ = 0;
    std::uint32_t buffer_ = 0;
    int count_ = 0;
    bool broken_ = false;
};

} // namespace

bool inflate(std::span<const std::uint8_t> in, std::vector<std::uint8_t>& out)
{
    out.clear();
    return Decoder(in, out).run();
}

} // namespace web
