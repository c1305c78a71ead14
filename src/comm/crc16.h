#pragma once

#include <cstddef>
#include <cstdint>

// CRC-16/MODBUS: reflected polynomial 0xA001, initial value 0xFFFF, no final XOR. Pass the
// previous result as crc to continue over a further block. The check value of "123456789" is
// 0x4B37; frames send it high byte first.
inline constexpr uint16_t kCrc16ModbusInitial = 0xFFFF;
uint16_t Crc16Modbus(const uint8_t* data, size_t size, uint16_t crc = kCrc16ModbusInitial);
