#pragma once

#include <QtGlobal>

// CRC-32C (Castagnoli, as iSCSI and ext4 use it): reflected polynomial 0x82F63B78, initial
// value and final XOR 0xFFFFFFFF. Chosen over the zip CRC because x86 processors compute it in
// one instruction per eight bytes, so that checking a record costs little next to reading it.
namespace Crc32c {

quint32 checksum(const char* data, int length);
// The same with tables only: what checksum() uses where the processor has no such instruction.
quint32 portable(const char* data, int length);

} // namespace Crc32c
