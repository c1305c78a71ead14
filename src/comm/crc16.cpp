#include "comm/crc16.h"

#include <array>

namespace {

constexpr uint16_t kPolynomial = 0xA001;  // 0x8005 reflected
constexpr int kSlices = 8;

using CrcTables = std::array<std::array<uint16_t, 256>, kSlices>;

// Table k advances the CRC of a byte by k further zero bytes, so eight bytes can be folded in
// with eight independent look-ups instead of a chain of eight dependent ones.
constexpr CrcTables MakeTables() {
  CrcTables tables{};
  for (uint32_t i = 0; i < 256; ++i) {
    uint16_t crc = static_cast<uint16_t>(i);
    for (int bit = 0; bit < 8; ++bit)
      crc = (crc & 1) ? static_cast<uint16_t>((crc >> 1) ^ kPolynomial) : crc >> 1;
    tables[0][i] = crc;
  }
  for (int k = 1; k < kSlices; ++k)
    for (uint32_t i = 0; i < 256; ++i)
      tables[k][i] = static_cast<uint16_t>((tables[k - 1][i] >> 8) ^ tables[0][tables[k - 1][i] & 0xFF]);
  return tables;
}

constexpr CrcTables s_tables = MakeTables();

}  // namespace

uint16_t Crc16Modbus(const uint8_t* data, size_t size, uint16_t crc) {
  if (data == nullptr) return crc;
  while (size >= kSlices) {
    // Only the first two bytes meet the 16-bit register; the other six enter bare.
    const uint32_t low = crc ^ (data[0] | (uint32_t{data[1]} << 8));
    crc = s_tables[7][low & 0xFF] ^ s_tables[6][low >> 8] ^ s_tables[5][data[2]] ^ s_tables[4][data[3]] ^
          s_tables[3][data[4]] ^ s_tables[2][data[5]] ^ s_tables[1][data[6]] ^ s_tables[0][data[7]];
    data += kSlices;
    size -= kSlices;
  }
  while (size-- > 0) crc = static_cast<uint16_t>((crc >> 8) ^ s_tables[0][(crc ^ *data++) & 0xFF]);
  return crc;
}
