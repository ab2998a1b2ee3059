// MD5 message digest (RFC 1321), used by the passphrase key generator.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace nv {

std::array<uint8_t, 16> Md5(std::span<const uint8_t> message);

}  // namespace nv
