#pragma once

#include <array>
#include <cstdint>
#include <span>

// The Blowfish block cipher: 64-bit blocks, 16 rounds, keys of any non-zero length (the key
// schedule uses at most the first 72 bytes, cycling shorter keys). A block is two 32-bit
// halves; as bytes, the first four are the left half and each half is big-endian, the byte
// order of the published test vectors.
class CRBlowfish {
 public:
  static constexpr size_t kBlockSize = 8;

  // Runs the key schedule. An empty key leaves the cipher with the bare starting state.
  void SetKey(std::span<const uint8_t> key);

  void EncryptBlock(uint32_t& left, uint32_t& right) const;
  void DecryptBlock(uint32_t& left, uint32_t& right) const;
  // One block of 8 bytes; in and out may be the same.
  void EncryptBlock(const uint8_t* in, uint8_t* out) const;
  void DecryptBlock(const uint8_t* in, uint8_t* out) const;

 private:
  uint32_t F(uint32_t x) const {
    return ((m_s[0][x >> 24] + m_s[1][(x >> 16) & 0xFF]) ^ m_s[2][(x >> 8) & 0xFF]) + m_s[3][x & 0xFF];
  }

  std::array<uint32_t, 18> m_p{};
  std::array<std::array<uint32_t, 256>, 4> m_s{};
};
