#pragma once

#include <cstdint>
#include <string_view>

#include "comm/packet_holder.h"
#include "values/value.h"

// The process-wide 8-bit packet id: incremented under its own lock before each request
// (1, 2, ..., 255, 0, 1, ...).
uint8_t NextPacketId();

// Builds a command payload in a packet: the command header, then arguments. The plain creator
// prefixes every argument with its u32 length; CNDAPacketCreatorSimple writes most arguments
// bare (see each slot). Each Add returns false when the packet could not take the bytes.
class CNDAPacketCreator {
 public:
  explicit CNDAPacketCreator(CNPacketHolder& packet) : m_packet(packet) {}
  virtual ~CNDAPacketCreator() = default;

  // Writes the command header at the position: a new packet id, u16 0, u16 byte length of the
  // name without its NUL, then the UTF-16 name with its NUL. Remembers the id and where the
  // header began.
  bool BeginCommand(std::u16string_view name);
  uint8_t GetPacketId() const { return m_ucPacketId; }
  uint32_t GetHeaderPosition() const { return m_ulHeaderPosition; }
  // Overwrites bytes at an earlier position (a count filled in after its items were written);
  // the position of the packet is kept.
  bool Overwrite(uint32_t position, const void* data, uint32_t bytes);
  uint32_t GetArgumentCount() const { return m_ulArguments; }

  // Argument slots 0 to 8.
  virtual bool AddText8(std::string_view text);                    // u32 length incl. NUL, bytes, NUL
  virtual bool AddValue(const CNValue& value);                     // u32 length, value encoding
  virtual bool AddBytes(const void* data, uint32_t bytes);         // u32 count, bytes
  virtual bool AddText(std::u16string_view text);                  // u32 byte length incl. NUL, text, NUL
  virtual bool AddInt64(uint64_t v);                               // u32 8, 8 bytes
  virtual bool AddInt32(uint32_t v);                               // u32 4, 4 bytes
  virtual bool AddInt32b(uint32_t v) { return AddInt32(v); }       // the same as AddInt32
  virtual bool AddBytesChecked(const void* data, uint32_t bytes);  // as AddBytes (plain form)
  virtual bool AddTextChecked(std::u16string_view text);           // as AddText (plain form)

 protected:
  CNPacketHolder& Packet() { return m_packet; }
  bool Counted(bool written);  // counts one argument when written
  // The pieces both creators share: a UTF-16 text with its NUL, and the plain length-prefixed
  // forms of bytes and of a UTF-16 text.
  bool WriteText(std::u16string_view text);
  bool WriteCountedBytes(const void* data, uint32_t bytes);
  bool WriteCountedText(std::u16string_view text);

 private:
  CNPacketHolder& m_packet;
  uint8_t m_ucPacketId = 0;
  uint32_t m_ulHeaderPosition = 0;
  uint32_t m_ulArguments = 0;
};

class CNDAPacketCreatorSimple : public CNDAPacketCreator {
 public:
  using CNDAPacketCreator::CNDAPacketCreator;

  bool AddValue(const CNValue& value) override;              // the value encoding only
  bool AddBytes(const void* data, uint32_t bytes) override;  // the bytes only
  bool AddText(std::u16string_view text) override;           // text and NUL only
  bool AddInt64(uint64_t v) override;                        // 8 bytes
  bool AddInt32(uint32_t v) override;                        // 4 bytes
};
