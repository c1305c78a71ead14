#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "comm/packet_holder.h"
#include "values/value.h"

// The arguments of a login-server answer, each a u32 byte count and that many bytes, kept raw
// so that the caller reads them as the command defines: a u32, a u64, a UTF-16 text, a byte
// block or a value. Reading an argument that is missing or does not have that form fails and
// leaves the output alone.
class CNServiceAnswer {
 public:
  // Takes every argument from the packet's position to its end. False, with no arguments kept,
  // when an argument's count runs past the end or bytes too few for a count are left over.
  bool Read(CNPacketHolder& packet);
  void Clear() { m_arguments.clear(); }

  uint32_t GetCount() const { return static_cast<uint32_t>(m_arguments.size()); }
  // The argument's bytes; empty when there is no such argument.
  std::span<const uint8_t> GetBytes(uint32_t i) const;
  bool GetU32(uint32_t i, uint32_t& out) const;  // exactly 4 bytes
  bool GetU64(uint32_t i, uint64_t& out) const;  // exactly 8 bytes
  // UTF-16LE up to the first NUL (or the end); false for an odd byte count.
  bool GetText(uint32_t i, std::u16string& out) const;
  // Exactly one value encoding.
  bool GetValue(uint32_t i, CNValue& out) const;

 private:
  std::vector<std::vector<uint8_t>> m_arguments;
};
