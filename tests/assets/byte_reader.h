// Little- and big-endian field readers over a byte buffer, for checking file
// layouts by hand.
#pragma once

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "render/catalogue.h"

namespace assets_test {

struct Bytes {
    const unsigned char* data = nullptr;
    std::size_t size = 0;

    uint32_t le16(std::size_t at) const { return data[at] | data[at + 1] << 8; }
    uint32_t le32(std::size_t at) const { return le16(at) | le16(at + 2) << 16; }
    int32_t sle32(std::size_t at) const { return static_cast<int32_t>(le32(at)); }
    uint32_t be16(std::size_t at) const { return data[at] << 8 | data[at + 1]; }
    uint32_t be32(std::size_t at) const { return be16(at) << 16 | be16(at + 2); }
    std::string tag(std::size_t at, std::size_t n = 4) const {
        return std::string(reinterpret_cast<const char*>(data + at), n);
    }
};

inline Bytes embedded(ResourceType type, int number) {
    ResourceData found{nullptr, 0};
    if (!findResource(type, number, found)) return {};
    return {found.data, found.size};
}

inline std::vector<unsigned char> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace assets_test
