// The common functions that write whole files: encrypted and decrypted copies, and texts saved
// instead of printed. A file is written beside its destination and renamed over it once it is
// complete, so a failure never leaves the destination half written or destroys what was there.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "methods/common_methods.h"
#include "methods/method_args.h"
#include "support/file_crypt.h"
#include "support/replacing_file.h"
#include "support/utf16_text.h"

namespace fs = std::filesystem;

namespace {

constexpr size_t kChunk = size_t{64} << 10;  // bytes read at a time; whole cipher blocks
static_assert(kChunk % CRBlowfish::kBlockSize == 0);

// Reads up to kChunk bytes; false on a read error.
bool ReadChunk(std::ifstream& in, std::vector<uint8_t>& buffer, size_t& got) {
  in.read(reinterpret_cast<char*>(buffer.data()), static_cast<std::streamsize>(buffer.size()));
  got = static_cast<size_t>(in.gcount());
  return !in.bad();
}

// The whole source, padded with 1 to 8 bytes that each hold their count.
bool EncryptStream(CRFileCrypt& crypt, std::ifstream& in, CRReplacingFile& out) {
  std::vector<uint8_t> buffer(kChunk);
  for (;;) {
    size_t got = 0;
    if (!ReadChunk(in, buffer, got)) return false;
    if (got < kChunk) {
      buffer.resize(got);
      crypt.Pad(buffer);
      crypt.Encrypt(buffer.data(), buffer.data(), buffer.size());
      return out.Write(buffer.data(), buffer.size());
    }
    crypt.Encrypt(buffer.data(), buffer.data(), got);
    if (!out.Write(buffer.data(), got)) return false;
  }
}

// The inverse of EncryptStream. The last block is held back until the end, where its padding
// is checked and removed; a source of no whole blocks or with a padding that does not read (a
// wrong key, a file that was not encrypted this way) fails.
bool DecryptStream(CRFileCrypt& crypt, std::ifstream& in, CRReplacingFile& out) {
  std::vector<uint8_t> buffer(kChunk);
  CRFileCrypt::Block held{};
  bool holding = false;
  for (;;) {
    size_t got = 0;
    if (!ReadChunk(in, buffer, got) || got % CRBlowfish::kBlockSize != 0) return false;
    if (got == 0) break;
    crypt.Decrypt(buffer.data(), buffer.data(), got);
    if (holding && !out.Write(held.data(), held.size())) return false;
    const size_t keep = got - CRBlowfish::kBlockSize;
    if (!out.Write(buffer.data(), keep)) return false;
    std::copy(buffer.begin() + static_cast<ptrdiff_t>(keep), buffer.begin() + static_cast<ptrdiff_t>(got),
              held.begin());
    holding = true;
    if (got < kChunk) break;
  }
  if (!holding) return false;
  const uint8_t count = held.back();
  if (count < 1 || count > CRBlowfish::kBlockSize) return false;
  const size_t data = held.size() - count;
  if (!std::all_of(held.begin() + static_cast<ptrdiff_t>(data), held.end(),
                   [count](uint8_t b) { return b == count; }))
    return false;
  return out.Write(held.data(), data);
}

// "EncryptFile", "DecryptFile"(source, destination, key[, mode]): Blowfish with the UTF-8 bytes
// of the key text, mode 0 (each block on its own), 1 (chained, the default) or 2 (cipher
// feedback), starting from a chain block of zeros. True when the destination was written.
template <bool Encrypt>
bool CryptFile(CMethodCall& call) {
  if (!ArgCountIn(call, 3, 4)) return false;
  const fs::path source = ArgPath(call.Arg(0));
  const fs::path destination = ArgPath(call.Arg(1));
  const std::string key = Utf16ToUtf8(ArgText(call.Arg(2)));
  const uint32_t mode = call.Count() > 3 ? ArgCount(call.Arg(3)) : CRFileCrypt::kModeCBC;
  call.result.SetBool(false);
  std::error_code error;
  if (!fs::is_regular_file(source, error)) return true;
  std::ifstream in(source, std::ios::binary);
  if (!in) return true;
  try {
    CRFileCrypt crypt;
    crypt.Initialize({reinterpret_cast<const uint8_t*>(key.data()), key.size()}, CRFileCrypt::Block{}, mode,
                     CRFileCrypt::kPadCount);
    CRReplacingFile out(destination);
    if (!out.IsOpen()) return true;
    const bool done = Encrypt ? EncryptStream(crypt, in, out) : DecryptStream(crypt, in, out);
    in.close();
    call.result.SetBool(done && out.Commit());
  } catch (const CRCryptError&) {
    // an empty key or a mode out of range: the result stays false
  }
  return true;
}

// "SavePrintText"(file, text[, append]): writes the text (a list's elements one per line) as
// UTF-8, replacing the file or, with append true, adding to its end. True when it was written.
bool SavePrintText(CMethodCall& call) {
  if (!ArgCountIn(call, 2, 3)) return false;
  const fs::path file = ArgPath(call.Arg(0));
  const std::string text = Utf16ToUtf8(ElementLinesText(call.Arg(1)));
  const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
  bool done = false;
  if (call.Count() > 2 && call.Arg(2).GetBool(0)) {
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd >= 0) {
      done = WriteAllBytes(fd, bytes, text.size());
      done = ::close(fd) == 0 && done;
    }
  } else {
    CRReplacingFile out(file);
    done = out.Write(bytes, text.size()) && out.Commit();
  }
  call.result.SetBool(done);
  return true;
}

constexpr std::array kFileDataMethods = {
    GuardedMethod(u"EncryptFile", "Writes an encrypted copy of a file with a key text", &CryptFile<true>,
                  CapabilityFamily::kFiles, 3, 4),
    GuardedMethod(u"DecryptFile", "Writes the decrypted copy of a file encrypted with a key text",
                  &CryptFile<false>, CapabilityFamily::kFiles, 3, 4),
    GuardedMethod(u"SavePrintText", "Writes a text to a file as UTF-8, replacing it or appending",
                  &SavePrintText, CapabilityFamily::kFiles, 2, 3),
};

}  // namespace

std::span<const MethodEntry> CommonFileDataMethods() {
  return kFileDataMethods;
}
