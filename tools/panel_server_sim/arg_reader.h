#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "comm/packet_holder.h"
#include "support/file_time.h"
#include "values/value.h"

namespace panel_sim {

// Reads length-prefixed arguments (each a u32 byte count and that many bytes) from a packet.
// Every read checks the count against what is left and fails without moving past the end.
class ArgReader {
 public:
  explicit ArgReader(CNPacketHolder& packet) : m_packet(packet) {}

  bool AtEnd() const { return m_packet.GetRemaining() == 0; }
  // The next argument's bytes, whatever they hold.
  bool ReadRaw(std::vector<uint8_t>& out);
  bool ReadInt32(uint32_t& out);  // a 4-byte argument
  bool ReadInt64(uint64_t& out);  // an 8-byte argument
  // A UTF-16 text argument with its NUL; the text ends at its first NUL.
  bool ReadText(std::u16string& out);
  bool ReadValue(CNValue& out);
  // A time given either as an 8-byte FILETIME or as a value whose first element reads as a time.
  bool ReadTime(FileTime& out);
  // Every text the next argument holds: the string elements of a value, or one text; a 4-byte
  // argument (a count) holds none.
  bool ReadTexts(std::vector<std::u16string>& out);

 private:
  CNPacketHolder& m_packet;
};

// Interpretations of an argument's bytes, shared with the readers above.
uint64_t LittleEndian(const std::vector<uint8_t>& bytes);  // up to 8 bytes
bool TextFromBytes(const std::vector<uint8_t>& bytes, std::u16string& out);
// A value encoding that fills the bytes exactly.
bool ValueFromBytes(const std::vector<uint8_t>& bytes, CNValue& out);

}  // namespace panel_sim
