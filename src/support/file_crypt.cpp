#include "support/file_crypt.h"

#include <algorithm>

namespace {

void XorBlock(uint8_t* target, const uint8_t* with) {
  for (size_t i = 0; i < CRBlowfish::kBlockSize; ++i) target[i] ^= with[i];
}

}  // namespace

void CRFileCrypt::Initialize(std::span<const uint8_t> key, const Block& chain, uint32_t mode,
                             uint32_t padding) {
  if (mode > kModeCFB) throw CRCryptError("FileCrypt ERROR: Illegal Operation Mode!");
  if (padding > kPadCount) throw CRCryptError("FileCrypt ERROR: Illegal Padding Mode!");
  if (key.empty()) throw CRCryptError("FileCrypt ERROR: Key Data Length should be > 0!");
  m_cipher.SetKey(key);
  m_initialChain = chain;
  m_chain = chain;
  m_mode = mode;
  m_padding = padding;
  m_bInitialized = true;
}

void CRFileCrypt::ResetChain() {
  m_chain = m_initialChain;
}

void CRFileCrypt::CheckUse(size_t length) const {
  if (!m_bInitialized) throw CRCryptError("FileCrypt ERROR: Encryption/Decryption Object not Initialized!");
  if (length % CRBlowfish::kBlockSize != 0) throw CRCryptError("Illegal Block Size!");
}

void CRFileCrypt::Encrypt(const uint8_t* in, uint8_t* out, size_t length) {
  CheckUse(length);
  for (size_t at = 0; at < length; at += CRBlowfish::kBlockSize) {
    const uint8_t* plain = in + at;
    uint8_t* cipher = out + at;
    switch (m_mode) {
      case kModeECB:
        m_cipher.EncryptBlock(plain, cipher);
        break;
      case kModeCBC:
        XorBlock(m_chain.data(), plain);
        m_cipher.EncryptBlock(m_chain.data(), m_chain.data());
        std::copy(m_chain.begin(), m_chain.end(), cipher);
        break;
      default:  // kModeCFB
        m_cipher.EncryptBlock(m_chain.data(), m_chain.data());
        XorBlock(m_chain.data(), plain);
        std::copy(m_chain.begin(), m_chain.end(), cipher);
        break;
    }
  }
}

void CRFileCrypt::Decrypt(const uint8_t* in, uint8_t* out, size_t length) {
  CheckUse(length);
  Block cipher;
  for (size_t at = 0; at < length; at += CRBlowfish::kBlockSize) {
    std::copy(in + at, in + at + CRBlowfish::kBlockSize, cipher.begin());  // in may be out
    uint8_t* plain = out + at;
    switch (m_mode) {
      case kModeECB:
        m_cipher.DecryptBlock(cipher.data(), plain);
        break;
      case kModeCBC:
        m_cipher.DecryptBlock(cipher.data(), plain);
        XorBlock(plain, m_chain.data());
        m_chain = cipher;
        break;
      default:  // kModeCFB
        m_cipher.EncryptBlock(m_chain.data(), plain);
        XorBlock(plain, cipher.data());
        m_chain = cipher;
        break;
    }
  }
}

void CRFileCrypt::Pad(std::vector<uint8_t>& data) const {
  const size_t tail = data.size() % CRBlowfish::kBlockSize;
  const size_t count = CRBlowfish::kBlockSize - tail;
  switch (m_padding) {
    case kPadZeros:
      if (tail != 0) data.insert(data.end(), count, 0);
      break;
    case kPadBlanks:
      if (tail != 0) data.insert(data.end(), count, ' ');
      break;
    default:  // kPadCount
      data.insert(data.end(), count, static_cast<uint8_t>(count));
      break;
  }
}
