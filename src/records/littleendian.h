#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

// The record files are little-endian whatever machine writes them; a field is read and
// written on its own, never by copying a struct.
template <typename T> void putLittleEndian(char* out, T value)
{
    std::array<char, sizeof(T)> bytes = std::bit_cast<std::array<char, sizeof(T)>>(value);
    if constexpr (std::endian::native == std::endian::big)
        std::reverse(bytes.begin(), bytes.end());
    std::memcpy(out, bytes.data(), sizeof(T));
}

template <typename T> T getLittleEndian(const char* in)
{
    std::array<char, sizeof(T)> bytes;
    std::memcpy(bytes.data(), in, sizeof(T));
    if constexpr (std::endian::native == std::endian::big)
        std::reverse(bytes.begin(), bytes.end());
    return std::bit_cast<T>(bytes);
}
