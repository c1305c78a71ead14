// Frame checksum and value coding, each beside a plain reference doing the same work: the CRC
// beside a byte-at-a-time table CRC and memcpy of the same buffer; the coding of an "Update"
// answer with 100,000 changed number tags beside hand-written byte copies of the same layout.
#include <benchmark/benchmark.h>

#include <array>
#include <cstring>
#include <vector>

#include "comm/crc16.h"
#include "comm/value_codec.h"

namespace {

constexpr size_t kCrcBytes = 64 * 1024;
constexpr uint32_t kTags = 100'000;
// Per tag: u64 client handle, u8 kind 0, then the value: shape 255, quality, kind 2, double.
constexpr size_t kTagBytes = 8 + 1 + 1 + 1 + 1 + 8;

std::vector<uint8_t> CrcInput() {
  std::vector<uint8_t> data(kCrcBytes);
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>(i * 131 + 7);
  return data;
}

void BM_Crc16Modbus(benchmark::State& state) {
  const std::vector<uint8_t> data = CrcInput();
  for (auto _ : state) benchmark::DoNotOptimize(Crc16Modbus(data.data(), data.size()));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * data.size()));
}
BENCHMARK(BM_Crc16Modbus);

constexpr std::array<uint16_t, 256> ByteTable() {
  std::array<uint16_t, 256> table{};
  for (uint32_t i = 0; i < 256; ++i) {
    uint16_t crc = static_cast<uint16_t>(i);
    for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? static_cast<uint16_t>((crc >> 1) ^ 0xA001) : crc >> 1;
    table[i] = crc;
  }
  return table;
}

void BM_Crc16ByteTable(benchmark::State& state) {
  static constexpr std::array<uint16_t, 256> kTable = ByteTable();
  const std::vector<uint8_t> data = CrcInput();
  for (auto _ : state) {
    uint16_t crc = 0xFFFF;
    for (uint8_t byte : data) crc = static_cast<uint16_t>((crc >> 8) ^ kTable[(crc ^ byte) & 0xFF]);
    benchmark::DoNotOptimize(crc);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * data.size()));
}
BENCHMARK(BM_Crc16ByteTable);

void BM_MemcpySameBuffer(benchmark::State& state) {
  const std::vector<uint8_t> data = CrcInput();
  std::vector<uint8_t> copy(data.size());
  for (auto _ : state) {
    std::memcpy(copy.data(), data.data(), data.size());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * data.size()));
}
BENCHMARK(BM_MemcpySameBuffer);

std::vector<CNValue> TagValues() {
  std::vector<CNValue> values(kTags);
  for (uint32_t i = 0; i < kTags; ++i) {
    values[i].SetNumber(i * 0.5);
    values[i].SetQuality(VQ_GOOD);
  }
  return values;
}

void EncodeUpdateAnswer(CNPacketHolder& packet, const std::vector<CNValue>& values) {
  packet.Reset();
  packet.WriteU32(kTags);
  for (uint32_t i = 0; i < kTags; ++i) {
    packet.WriteU64(0x1000 + i);
    packet.WriteU8(0);
    EncodeValue(packet, values[i]);
  }
}

void BM_EncodeUpdateAnswer(benchmark::State& state) {
  const std::vector<CNValue> values = TagValues();
  CNPacketHolder packet;
  for (auto _ : state) {
    EncodeUpdateAnswer(packet, values);
    benchmark::DoNotOptimize(packet.GetData());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * packet.GetSize()));
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kTags));
}
BENCHMARK(BM_EncodeUpdateAnswer)->Unit(benchmark::kMillisecond);

void BM_DecodeUpdateAnswer(benchmark::State& state) {
  CNPacketHolder packet;
  EncodeUpdateAnswer(packet, TagValues());
  std::vector<CNValue> values(kTags);
  for (auto _ : state) {
    packet.Seek(0, CNPacketHolder::kSeekBegin);
    uint32_t count = 0;
    packet.ReadU32(count);
    for (uint32_t i = 0; i < count; ++i) {
      uint64_t handle;
      uint8_t kind;
      packet.ReadU64(handle);
      packet.ReadU8(kind);
      DecodeValue(packet, values[i]);
    }
    benchmark::DoNotOptimize(values.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * packet.GetSize()));
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kTags));
}
BENCHMARK(BM_DecodeUpdateAnswer)->Unit(benchmark::kMillisecond);

// The references: the same bytes written and read with plain copies into a byte vector and a
// struct array, with no shapes, no checks and no value objects.
struct PlainTag {
  uint64_t handle;
  uint8_t quality;
  double number;
};

void BM_PlainUpdateWrite(benchmark::State& state) {
  std::vector<PlainTag> tags(kTags);
  for (uint32_t i = 0; i < kTags; ++i) tags[i] = {0x1000 + i, VQ_GOOD, i * 0.5};
  std::vector<uint8_t> bytes(4 + kTags * kTagBytes);
  for (auto _ : state) {
    uint8_t* p = bytes.data();
    std::memcpy(p, &kTags, 4);
    p += 4;
    for (const PlainTag& tag : tags) {
      std::memcpy(p, &tag.handle, 8);
      p[8] = 0;
      p[9] = 255;
      p[10] = tag.quality;
      p[11] = 2;
      std::memcpy(p + 12, &tag.number, 8);
      p += kTagBytes;
    }
    benchmark::DoNotOptimize(bytes.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kTags));
}
BENCHMARK(BM_PlainUpdateWrite)->Unit(benchmark::kMillisecond);

void BM_PlainUpdateRead(benchmark::State& state) {
  CNPacketHolder packet;
  EncodeUpdateAnswer(packet, TagValues());
  const uint8_t* bytes = packet.GetData();
  std::vector<PlainTag> tags(kTags);
  for (auto _ : state) {
    const uint8_t* p = bytes + 4;
    for (PlainTag& tag : tags) {
      std::memcpy(&tag.handle, p, 8);
      tag.quality = p[10];
      std::memcpy(&tag.number, p + 12, 8);
      p += kTagBytes;
    }
    benchmark::DoNotOptimize(tags.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * packet.GetSize()));
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kTags));
}
BENCHMARK(BM_PlainUpdateRead)->Unit(benchmark::kMillisecond);

}  // namespace
