// Deciphering encrypted project files beside memcpy of the same bytes: the whole .brw step (a
// copy of the file's bytes, the key schedule and ECB over every block) and the cipher alone.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string_view>
#include <vector>

#include "project/project_crypt.h"
#include "support/file_crypt.h"

namespace {

constexpr size_t kFileBytes = 4 << 20;

std::vector<uint8_t> EncryptedFile() {
  std::vector<uint8_t> data(kFileBytes);
  for (size_t i = 0; i < data.size(); ++i)
    data[i] = static_cast<uint8_t>("<OBJ clid=\"Rectangle\"/>\r\n"[i % 26]);
  EncryptProjectBuffer(data);
  return data;
}

void BM_BrwDecrypt(benchmark::State& state) {
  const std::vector<uint8_t> file = EncryptedFile();
  std::vector<uint8_t> buffer;
  std::string error;
  for (auto _ : state) {
    buffer.assign(file.begin(), file.end());
    benchmark::DoNotOptimize(DecryptProjectBuffer(buffer, error));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * file.size()));
}
BENCHMARK(BM_BrwDecrypt)->Unit(benchmark::kMillisecond);

void BM_BlowfishEcbDecrypt(benchmark::State& state) {
  const std::vector<uint8_t> file = EncryptedFile();
  std::vector<uint8_t> out(file.size());
  constexpr std::string_view kKey = "any key of some length";
  CRFileCrypt crypt;
  crypt.Initialize({reinterpret_cast<const uint8_t*>(kKey.data()), kKey.size()}, {}, CRFileCrypt::kModeECB,
                   CRFileCrypt::kPadZeros);
  for (auto _ : state) {
    crypt.Decrypt(file.data(), out.data(), file.size());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * file.size()));
}
BENCHMARK(BM_BlowfishEcbDecrypt)->Unit(benchmark::kMillisecond);

void BM_PlainMemcpy(benchmark::State& state) {
  const std::vector<uint8_t> file = EncryptedFile();
  std::vector<uint8_t> out(file.size());
  for (auto _ : state) {
    std::memcpy(out.data(), file.data(), file.size());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * file.size()));
}
BENCHMARK(BM_PlainMemcpy)->Unit(benchmark::kMillisecond);

}  // namespace
