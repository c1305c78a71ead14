#include "support/file_crypt.h"

#include <gtest/gtest.h>

#include <string>

#include "crypt_test_bytes.h"

namespace {

// The published chained-mode vector: this key and chain block, and 29 bytes of text ending in
// its terminating zero, zero-padded to 32.
const std::vector<uint8_t> kKey = HexBytes("0123456789ABCDEFF0E1D2C3B4A59687");
const CRFileCrypt::Block kChain = {0xFE, 0xDC, 0xBA, 0x98, 0x76, 0x54, 0x32, 0x10};

std::vector<uint8_t> ChainedPlainText() {
  const std::string text = "7654321 Now is the time for ";
  std::vector<uint8_t> plain(text.begin(), text.end());
  plain.resize(32, 0);
  return plain;
}

std::vector<uint8_t> Apply(uint32_t mode, bool encrypt, std::vector<uint8_t> data) {
  CRFileCrypt crypt;
  crypt.Initialize(kKey, kChain, mode, CRFileCrypt::kPadZeros);
  if (encrypt) {
    crypt.Encrypt(data.data(), data.data(), data.size());
  } else {
    crypt.Decrypt(data.data(), data.data(), data.size());
  }
  return data;
}

TEST(FileCrypt, ChainedModesMatchThePublishedVectors) {
  const std::string cbc = "6B77B4D63006DEE605B156E27403979358DEB9E7154616D959F1652BD5FF92CC";
  EXPECT_EQ(HexText(Apply(CRFileCrypt::kModeCBC, true, ChainedPlainText())), cbc);
  EXPECT_EQ(Apply(CRFileCrypt::kModeCBC, false, HexBytes(cbc)), ChainedPlainText());
  // The vector covers the 29 text bytes; the padding's cipher bytes follow from them.
  const std::string cfb = "E73214A2822139CAF26ECF6D2EB9E76E3DA3DE04D1517200519D57A6C3";
  const std::vector<uint8_t> cfbOut = Apply(CRFileCrypt::kModeCFB, true, ChainedPlainText());
  EXPECT_EQ(HexText(cfbOut).substr(0, cfb.size()), cfb);
  EXPECT_EQ(Apply(CRFileCrypt::kModeCFB, false, cfbOut), ChainedPlainText());
}

// The chain runs on from one call to the next until it is reset.
TEST(FileCrypt, ChainCarriesOverCallsUntilReset) {
  const std::vector<uint8_t> plain = ChainedPlainText();
  const std::vector<uint8_t> whole = Apply(CRFileCrypt::kModeCBC, true, plain);
  CRFileCrypt crypt;
  crypt.Initialize(kKey, kChain, CRFileCrypt::kModeCBC, CRFileCrypt::kPadZeros);
  std::vector<uint8_t> parts(32);
  crypt.Encrypt(plain.data(), parts.data(), 16);
  crypt.Encrypt(plain.data() + 16, parts.data() + 16, 16);
  EXPECT_EQ(parts, whole);
  crypt.ResetChain();
  crypt.Encrypt(plain.data(), parts.data(), 32);
  EXPECT_EQ(parts, whole);
}

TEST(FileCrypt, RefusalsCarryTheirTexts) {
  const std::vector<uint8_t> key = {1, 2, 3};
  const std::vector<uint8_t> noKey;
  auto refusal = [](auto&& action) {
    try {
      action();
    } catch (const CRCryptError& error) {
      return std::string(error.what());
    }
    return std::string("(no refusal)");
  };
  EXPECT_EQ(refusal([&] { CRFileCrypt().Initialize(key, {}, 3, 0); }),
            "FileCrypt ERROR: Illegal Operation Mode!");
  EXPECT_EQ(refusal([&] { CRFileCrypt().Initialize(key, {}, 0, 3); }),
            "FileCrypt ERROR: Illegal Padding Mode!");
  EXPECT_EQ(refusal([&] { CRFileCrypt().Initialize(noKey, {}, 0, 0); }),
            "FileCrypt ERROR: Key Data Length should be > 0!");
  uint8_t data[16] = {};
  EXPECT_EQ(refusal([&] { CRFileCrypt().Decrypt(data, data, 8); }),
            "FileCrypt ERROR: Encryption/Decryption Object not Initialized!");
  for (size_t length : {1, 7, 9, 15}) {
    CRFileCrypt crypt;
    crypt.Initialize(key, {}, CRFileCrypt::kModeECB, CRFileCrypt::kPadZeros);
    EXPECT_EQ(refusal([&] { crypt.Encrypt(data, data, length); }), "Illegal Block Size!") << length;
    EXPECT_EQ(refusal([&] { crypt.Decrypt(data, data, length); }), "Illegal Block Size!") << length;
  }
}

TEST(FileCrypt, PaddingModesFillWholeBlocks) {
  struct Case {
    uint32_t padding;
    size_t length;
    std::vector<uint8_t> tail;  // what is appended
  };
  const Case cases[] = {
      {CRFileCrypt::kPadZeros, 5, {0, 0, 0}},
      {CRFileCrypt::kPadZeros, 8, {}},
      {CRFileCrypt::kPadBlanks, 6, {' ', ' '}},
      {CRFileCrypt::kPadBlanks, 0, {}},
      {CRFileCrypt::kPadCount, 5, {3, 3, 3}},
      {CRFileCrypt::kPadCount, 8, {8, 8, 8, 8, 8, 8, 8, 8}},  // always at least one byte
  };
  for (const Case& c : cases) {
    CRFileCrypt crypt;
    crypt.Initialize(kKey, kChain, CRFileCrypt::kModeECB, c.padding);
    std::vector<uint8_t> data(c.length, 'x');
    crypt.Pad(data);
    std::vector<uint8_t> expected(c.length, 'x');
    expected.insert(expected.end(), c.tail.begin(), c.tail.end());
    EXPECT_EQ(data, expected) << c.padding << " " << c.length;
  }
}

}  // namespace
