#include "project/project_crypt.h"

#include <string_view>

#include "support/file_crypt.h"

namespace {

constexpr std::string_view kProjectKey = "p7mQrT2bX9nLw4cZhK";

void InitializeProjectCipher(CRFileCrypt& crypt) {
  const auto* key = reinterpret_cast<const uint8_t*>(kProjectKey.data());
  crypt.Initialize({key, kProjectKey.size()}, CRFileCrypt::Block{}, CRFileCrypt::kModeECB,
                   CRFileCrypt::kPadZeros);
  crypt.ResetChain();
}

}  // namespace

bool DecryptProjectBuffer(std::vector<uint8_t>& bytes, std::string& error) {
  try {
    CRFileCrypt crypt;
    InitializeProjectCipher(crypt);
    crypt.Decrypt(bytes.data(), bytes.data(), bytes.size());
  } catch (const CRCryptError& refusal) {
    error = refusal.what();
    return false;
  }
  bytes.push_back(0);
  bytes.push_back(0);
  return true;
}

void EncryptProjectBuffer(std::vector<uint8_t>& bytes) {
  CRFileCrypt crypt;
  InitializeProjectCipher(crypt);
  crypt.Pad(bytes);
  crypt.Encrypt(bytes.data(), bytes.data(), bytes.size());
}
