#pragma once

#include <cstdint>

#include "comm/packet_holder.h"
#include "values/value.h"

// Shared-kind values whose kind carries no payload (no value, object) take no bytes per
// element, so their element count is not bounded by the data: decoding refuses more than this
// many (64 MiB of elements) rather than let a peer's count allocate gigabytes. Every other
// count is bounded by the bytes that remain, since each element takes at least one byte.
inline constexpr uint32_t kMaxPayloadlessElements = 1u << 22;

// The wire form of a CNValue: shape byte (0 empty, 255 scalar, else the dimension count and
// that many u32 sizes), quality byte, then per element its kind byte and payload. The timestamp
// is not sent.
bool EncodeValue(CNPacketHolder& packet, const CNValue& value);

// Reads a value at the packet's position, also accepting the shared-kind form (first kind byte
// 128 + kind: every element has that kind and no further kind bytes follow). False, with the
// value left empty, when the data is truncated or malformed or would need an unreasonable
// allocation (see kMaxPayloadlessElements); the position is then unspecified.
bool DecodeValue(CNPacketHolder& packet, CNValue& value);
