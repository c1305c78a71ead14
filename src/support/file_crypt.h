#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <vector>

#include "support/blowfish.h"

// A refusal of CRFileCrypt; what() is the text shown for it.
class CRCryptError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Blowfish over whole buffers, as encrypted project files use it: a key, a chain block, one
// of three operation modes and one of three padding modes.
//
// Every refusal is raised as a CRCryptError, which the caller catches where it uses the
// component; nothing else here throws.
class CRFileCrypt {
 public:
  enum Mode : uint32_t {
    kModeECB = 0,  // every block on its own; the chain plays no part
    kModeCBC = 1,  // each plain block combined with the previous cipher block
    kModeCFB = 2,  // each block combined with the enciphered previous cipher block
  };
  enum Padding : uint32_t {
    kPadZeros = 0,   // zero bytes up to the next block boundary
    kPadBlanks = 1,  // spaces up to the next block boundary
    kPadCount = 2,   // 1 to 8 bytes, each holding their count
  };
  using Block = std::array<uint8_t, CRBlowfish::kBlockSize>;

  void Initialize(std::span<const uint8_t> key, const Block& chain, uint32_t mode, uint32_t padding);
  // Restarts the chain at the block given to Initialize.
  void ResetChain();
  // length bytes from in to out (which may be the same); length must be a multiple of 8.
  // The chain carries over from one call to the next until ResetChain.
  void Encrypt(const uint8_t* in, uint8_t* out, size_t length);
  void Decrypt(const uint8_t* in, uint8_t* out, size_t length);
  // Appends the padding of the padding mode, so that data fills whole blocks.
  void Pad(std::vector<uint8_t>& data) const;

 private:
  void CheckUse(size_t length) const;

  CRBlowfish m_cipher;
  Block m_initialChain{};
  Block m_chain{};
  uint32_t m_mode = kModeECB;
  uint32_t m_padding = kPadZeros;
  bool m_bInitialized = false;
};
