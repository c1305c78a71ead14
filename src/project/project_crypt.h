#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Encrypted project files (".brw"): Blowfish, every 8-byte block on its own, under the
// program's fixed project key.

// Deciphers bytes in place and appends two zero bytes, so that the result also reads as
// terminated text. False, with error holding the cipher's refusal ("Illegal Block Size!" for
// a length that is not a multiple of 8), leaves bytes as they were.
bool DecryptProjectBuffer(std::vector<uint8_t>& bytes, std::string& error);

// Pads bytes with zeros to whole blocks and enciphers them in place.
void EncryptProjectBuffer(std::vector<uint8_t>& bytes);
