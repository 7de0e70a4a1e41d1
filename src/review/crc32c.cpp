#include "review/crc32c.h"

#include <array>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <nmmintrin.h>
#define YOJI_CRC32C_INSTRUCTION 1
#endif

namespace {

// Slicing by eight: eight table look-ups per eight bytes.
using Tables = std::array<std::array<quint32, 256>, 8>;

constexpr Tables makeTables()
{
    Tables tables{};
    for (quint32 i = 0; i < 256; ++i) {
        quint32 c = i;
        for (int k = 0; k < 8; ++k)
            c = c & 1 ? 0x82F63B78u ^ (c >> 1) : c >> 1;
        tables[0][i] = c;
    }
    for (quint32 i = 0; i < 256; ++i)
        for (size_t t = 1; t < 8; ++t)
            tables[t][i] = (tables[t - 1][i] >> 8) ^ tables[0][tables[t - 1][i] & 0xFF];
    return tables;
}

constexpr Tables kTables = makeTables();

#ifdef YOJI_CRC32C_INSTRUCTION
__attribute__((target("sse4.2"))) quint32 withInstruction(const char* data, int length)
{
    quint32 crc = 0xFFFFFFFFu;
    int i = 0;
#if defined(__x86_64__)
    for (; i + 8 <= length; i += 8) {
        quint64 word;
        std::memcpy(&word, data + i, 8);
        crc = static_cast<quint32>(_mm_crc32_u64(crc, word));
    }
#endif
    for (; i + 4 <= length; i += 4) {
        quint32 word;
        std::memcpy(&word, data + i, 4);
        crc = _mm_crc32_u32(crc, word);
    }
    for (; i < length; ++i)
        crc = _mm_crc32_u8(crc, static_cast<unsigned char>(data[i]));
    return ~crc;
}

const bool kHasInstruction = __builtin_cpu_supports("sse4.2");
#endif

} // namespace

namespace Crc32c {

quint32 portable(const char* data, int length)
{
    const auto* b = reinterpret_cast<const unsigned char*>(data);
    quint32 crc = 0xFFFFFFFFu;
    int i = 0;
    for (; i + 8 <= length; i += 8) {
        const quint32 low = crc ^ (quint32(b[i]) | quint32(b[i + 1]) << 8 |
                                   quint32(b[i + 2]) << 16 | quint32(b[i + 3]) << 24);
        crc = kTables[7][low & 0xFF] ^ kTables[6][low >> 8 & 0xFF] ^ kTables[5][low >> 16 & 0xFF] ^
              kTables[4][low >> 24] ^ kTables[3][b[i + 4]] ^ kTables[2][b[i + 5]] ^
              kTables[1][b[i + 6]] ^ kTables[0][b[i + 7]];
    }
    for (; i < length; ++i)
        crc = kTables[0][(crc ^ b[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

quint32 checksum(const char* data, int length)
{
#ifdef YOJI_CRC32C_INSTRUCTION
    if (kHasInstruction)
        return withInstruction(data, length);
#endif
    return portable(data, length);
}

} // namespace Crc32c
