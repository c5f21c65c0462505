#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace web {

// Decodes a raw deflate stream (no zlib or gzip wrapper), as node's zlib.deflateRawSync writes it.
// The page carries its pictures compressed this way and needs no browser API to open them, so it
// works in every browser that runs WebAssembly. False for a damaged or truncated stream.
bool inflate(std::span<const std::uint8_t> in, std::vector<std::uint8_t>& out);

} // namespace web
