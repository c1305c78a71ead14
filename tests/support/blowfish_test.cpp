#include "support/blowfish.h"

#include <gtest/gtest.h>

#include "crypt_test_bytes.h"

namespace {

struct Vector {
  const char* key;
  const char* plain;
  const char* cipher;
};

std::vector<uint8_t> Encrypt(const std::vector<uint8_t>& key, const std::vector<uint8_t>& plain) {
  CRBlowfish cipher;
  cipher.SetKey(key);
  std::vector<uint8_t> out(8);
  cipher.EncryptBlock(plain.data(), out.data());
  return out;
}

// The published test vectors of the cipher (8-byte keys), both ways.
TEST(Blowfish, PublishedVectorsEncipherAndDecipher) {
  const Vector vectors[] = {
      {"0000000000000000", "0000000000000000", "4EF997456198DD78"},
      {"FFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFF", "51866FD5B85ECB8A"},
      {"3000000000000000", "1000000000000001", "7D856F9A613063F2"},
      {"1111111111111111", "1111111111111111", "2466DD878B963C9D"},
      {"0123456789ABCDEF", "1111111111111111", "61F9C3802281B096"},
      {"1111111111111111", "0123456789ABCDEF", "7D0CC630AFDA1EC7"},
      {"FEDCBA9876543210", "0123456789ABCDEF", "0ACEAB0FC6A0A28D"},
      {"7CA110454A1A6E57", "01A1D6D039776742", "59C68245EB05282B"},
      {"0131D9619DC1376E", "5CD54CA83DEF57DA", "B1B8CC0B250F09A0"},
  };
  for (const Vector& v : vectors) {
    SCOPED_TRACE(v.key);
    EXPECT_EQ(HexText(Encrypt(HexBytes(v.key), HexBytes(v.plain))), v.cipher);
    CRBlowfish cipher;
    cipher.SetKey(HexBytes(v.key));
    std::vector<uint8_t> block = HexBytes(v.cipher);
    cipher.DecryptBlock(block.data(), block.data());  // in place
    EXPECT_EQ(HexText(block), v.plain);
  }
}

// Keys of 1 to 24 bytes: prefixes of one long key, all enciphering the same block. Short keys
// are repeated by the key schedule, long ones used whole.
TEST(Blowfish, PublishedVariableKeyLengthVectors) {
  const std::vector<uint8_t> key = HexBytes("F0E1D2C3B4A5968778695A4B3C2D1E0F0011223344556677");
  const std::vector<uint8_t> plain = HexBytes("FEDCBA9876543210");
  const std::pair<size_t, const char*> vectors[] = {
      {1, "F9AD597C49DB005E"},  {2, "E91D21C1D961A6D6"},  {8, "E87A244E2CC85E82"},  {9, "15750E7A4F4EC577"},
      {16, "93142887EE3BE15C"}, {17, "03429E838CE2D14B"}, {24, "05044B62FA52D080"},
  };
  for (const auto& [length, cipher] : vectors) {
    SCOPED_TRACE(length);
    EXPECT_EQ(HexText(Encrypt({key.begin(), key.begin() + static_cast<ptrdiff_t>(length)}, plain)), cipher);
  }
}

}  // namespace
