#include "support/blowfish.h"

#include "support/blowfish_tables.h"
#include "support/byte_order.h"

void CRBlowfish::SetKey(std::span<const uint8_t> key) {
  m_p = kBlowfishInitialP;
  m_s = kBlowfishInitialS;
  if (!key.empty()) {
    size_t k = 0;
    for (uint32_t& subkey : m_p) {
      uint32_t word = 0;
      for (int b = 0; b < 4; ++b) {
        word = word << 8 | key[k];
        k = (k + 1) % key.size();
      }
      subkey ^= word;
    }
  }
  uint32_t left = 0;
  uint32_t right = 0;
  for (size_t i = 0; i < m_p.size(); i += 2) {
    EncryptBlock(left, right);
    m_p[i] = left;
    m_p[i + 1] = right;
  }
  for (auto& box : m_s) {
    for (size_t i = 0; i < box.size(); i += 2) {
      EncryptBlock(left, right);
      box[i] = left;
      box[i + 1] = right;
    }
  }
}

void CRBlowfish::EncryptBlock(uint32_t& left, uint32_t& right) const {
  uint32_t l = left;
  uint32_t r = right;
  for (size_t round = 0; round < 16; round += 2) {
    l ^= m_p[round];
    r ^= F(l);
    r ^= m_p[round + 1];
    l ^= F(r);
  }
  left = r ^ m_p[17];
  right = l ^ m_p[16];
}

void CRBlowfish::DecryptBlock(uint32_t& left, uint32_t& right) const {
  uint32_t l = left;
  uint32_t r = right;
  for (size_t round = 17; round > 1; round -= 2) {
    l ^= m_p[round];
    r ^= F(l);
    r ^= m_p[round - 1];
    l ^= F(r);
  }
  left = r ^ m_p[0];
  right = l ^ m_p[1];
}

void CRBlowfish::EncryptBlock(const uint8_t* in, uint8_t* out) const {
  uint32_t left = LoadBigEndian32(in);
  uint32_t right = LoadBigEndian32(in + 4);
  EncryptBlock(left, right);
  StoreBigEndian32(left, out);
  StoreBigEndian32(right, out + 4);
}

void CRBlowfish::DecryptBlock(const uint8_t* in, uint8_t* out) const {
  uint32_t left = LoadBigEndian32(in);
  uint32_t right = LoadBigEndian32(in + 4);
  DecryptBlock(left, right);
  StoreBigEndian32(left, out);
  StoreBigEndian32(right, out + 4);
}
