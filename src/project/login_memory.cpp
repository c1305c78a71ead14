#include "project/login_memory.h"

#include <string_view>
#include <vector>

#include "support/blowfish.h"
#include "support/registry_store.h"
#include "support/utf16_text.h"

namespace {

constexpr std::u16string_view kLoginKey = u"SOFTWARE\\Tarnvale\\Panel Browser control Ver6\\Custom";
constexpr std::string_view kPasswordKey = "h4TnQx8cPe2M";
constexpr size_t kMaxPasswordBytes = 1024;

CRBlowfish MakeCipher() {
  CRBlowfish cipher;
  cipher.SetKey({reinterpret_cast<const uint8_t*>(kPasswordKey.data()), kPasswordKey.size()});
  return cipher;
}

std::u16string ReadText(CRRegistryStore& store, std::u16string_view name) {
  CRRegistryValue value;
  if (!store.GetValue(kLoginKey, name, value) || value.kind != CRRegistryValue::kText) return {};
  return value.text;
}

int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  return -1;
}

}  // namespace

std::u16string EncipherLoginPassword(std::u16string_view password) {
  std::string bytes = Utf16ToUtf8(password);
  if (bytes.size() > kMaxPasswordBytes) bytes.resize(kMaxPasswordBytes);
  bytes.resize((bytes.size() / 8 + 1) * 8, '\0');  // at least one zero ends the text
  const CRBlowfish cipher = MakeCipher();
  static constexpr char16_t kHex[] = u"0123456789ABCDEF";
  std::u16string text;
  for (size_t i = 0; i < bytes.size(); i += 8) {
    uint8_t block[8];
    cipher.EncryptBlock(reinterpret_cast<const uint8_t*>(bytes.data() + i), block);
    for (uint8_t b : block) {
      text += kHex[b >> 4];
      text += kHex[b & 15];
    }
  }
  return text;
}

std::u16string DecipherLoginPassword(std::u16string_view text) {
  if (text.empty() || text.size() % 16 != 0 || text.size() > (kMaxPasswordBytes + 8) * 2) return {};
  std::vector<uint8_t> bytes(text.size() / 2);
  for (size_t i = 0; i < bytes.size(); ++i) {
    const int high = HexDigit(text[2 * i]);
    const int low = HexDigit(text[2 * i + 1]);
    if (high < 0 || low < 0) return {};
    bytes[i] = static_cast<uint8_t>(high * 16 + low);
  }
  const CRBlowfish cipher = MakeCipher();
  for (size_t i = 0; i < bytes.size(); i += 8) cipher.DecryptBlock(&bytes[i], &bytes[i]);
  std::string plain(bytes.begin(), bytes.end());
  const size_t end = plain.find('\0');
  if (end == std::string::npos) return {};
  plain.resize(end);
  return Utf8ToUtf16(plain);
}

CNLoginMemory CNLoginMemory::Load(CRRegistryStore& store) {
  CNLoginMemory memory;
  memory.node = ReadText(store, u"LoginNode");
  CRRegistryValue port;
  if (store.GetValue(kLoginKey, u"LoginPanelPort", port) && port.kind == CRRegistryValue::kNumber &&
      port.number >= 0 && port.number <= 65535)
    memory.port = static_cast<uint32_t>(port.number);
  memory.project = ReadText(store, u"LoginProject");
  memory.user = ReadText(store, u"LoginUser");
  memory.param = ReadText(store, u"LoginParam");
  const std::u16string saved = ReadText(store, u"LoginSavePwd");
  memory.password = DecipherLoginPassword(saved);
  memory.savePassword = !saved.empty();
  return memory;
}

bool CNLoginMemory::Save(CRRegistryStore& store) const {
  return store.SetValue(kLoginKey, u"LoginNode", CRRegistryValue::Text(node)) &&
         store.SetValue(kLoginKey, u"LoginPanelPort", CRRegistryValue::Number(static_cast<int32_t>(port))) &&
         store.SetValue(kLoginKey, u"LoginProject", CRRegistryValue::Text(project)) &&
         store.SetValue(kLoginKey, u"LoginUser", CRRegistryValue::Text(user)) &&
         store.SetValue(kLoginKey, u"LoginParam", CRRegistryValue::Text(param)) &&
         store.SetValue(kLoginKey, u"LoginSavePwd",
                        CRRegistryValue::Text(savePassword ? EncipherLoginPassword(password) : u""));
}
