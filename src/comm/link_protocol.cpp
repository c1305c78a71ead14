#include "comm/link_protocol.h"

#include "comm/frame.h"
#include "comm/packet_creator.h"
#include "comm/value_codec.h"

namespace {

// The fewest bytes an "Update" item takes: the client handle and the kind byte.
constexpr uint32_t kMinUpdateItemBytes = 8 + 1;

// Builds the request with writeArgs, sends it and receives the answer, checked against the
// request's id and placed after its command header. A packet whose buffer could not grow is
// refused by the send ("Can't allocate memory. %u Byte").
template <class WriteArgs>
ClientResult Exchange(CNDAClient& client, CNPacketHolder& packet, std::u16string_view command,
                      const WriteArgs& writeArgs) {
  packet.Reset();
  client.BeginPacket(packet);
  CNDAPacketCreatorSimple creator(packet);
  creator.BeginCommand(command);
  writeArgs(creator);
  client.EndPacket(packet);
  ClientResult result = client.SendCommand(packet);
  if (result.Succeeded()) result = client.Receive(packet);
  if (result.Succeeded()) result = CheckAnswer(packet, creator.GetPacketId());
  return result;
}

// The exchange, then the confirmation at the start of the answer.
template <class WriteArgs>
ClientResult Confirmed(CNDAClient& client, CNPacketHolder& packet, std::u16string_view command,
                       const WriteArgs& writeArgs, CNLinkConfirmation& confirmation) {
  confirmation = {};
  ClientResult result = Exchange(client, packet, command, writeArgs);
  if (result.Succeeded() && !ReadConfirmation(packet, confirmation)) return InvalidAnswer();
  return result;
}

void AddByte(CNDAPacketCreator& args, uint8_t byte) {
  args.AddBytes(&byte, 1);
}

}  // namespace

ClientResult InvalidAnswer() {
  return ClientResult::Fail(CS_INVALID_PACKET);
}

bool ReadConfirmation(CNPacketHolder& packet, CNLinkConfirmation& confirmation) {
  uint32_t ok = 0;
  if (!packet.ReadU32(ok)) return false;
  confirmation.ok = ok != 0;
  confirmation.message.clear();
  // A refusal without its text is still a refusal.
  if (!confirmation.ok && !packet.ReadText(confirmation.message)) confirmation.message.clear();
  return true;
}

bool ReadUpdateHeader(CNPacketHolder& packet, CNLinkConfirmation& confirmation, uint32_t& count) {
  count = 0;
  if (!ReadConfirmation(packet, confirmation)) return false;
  if (!confirmation.ok) return true;
  return packet.ReadU32(count) && count <= packet.GetRemaining() / kMinUpdateItemBytes;
}

bool ReadTagItem(CNPacketHolder& packet, CNTagItem& item) {
  item.value.Reset();
  if (!packet.ReadU8(item.kind)) return false;
  if (item.kind == kTagItemQuality) return packet.ReadU8(item.quality);
  if (item.kind != kTagItemValue) return true;
  item.value = CRPtr<CNValue>::Make();
  return DecodeValue(packet, *item.value);
}

bool ReadUpdateItem(CNPacketHolder& packet, CNTagItem& item) {
  return packet.ReadU64(item.clientHandle) && ReadTagItem(packet, item);
}

ClientResult SendLinkConnect(CNDAClient& client, CNPacketHolder& packet, uint32_t kind, uint64_t connectionId,
                             CNLinkConfirmation& confirmation, uint64_t& newId) {
  newId = 0;
  ClientResult result = Confirmed(
      client, packet, u"Connect",
      [&](CNDAPacketCreator& args) {
        args.AddInt32(kind);
        if (kind == kLinkConnectUpdate) args.AddInt64(connectionId);
      },
      confirmation);
  if (result.Succeeded() && confirmation.ok && kind == kLinkConnectCommand && !packet.ReadU64(newId))
    return InvalidAnswer();
  return result;
}

ClientResult SendLink(CNDAClient& client, CNPacketHolder& packet, std::span<const CNLinkRequest> links,
                      std::span<const uint64_t> releases, std::span<const CNAdviseRequest> advises,
                      CNLinkConfirmation& confirmation, std::vector<uint64_t>& handles) {
  handles.clear();
  ClientResult result = Confirmed(
      client, packet, u"Link",
      [&](CNDAPacketCreator& args) {
        args.AddInt32(static_cast<uint32_t>(links.size()));
        for (const CNLinkRequest& link : links) {
          args.AddInt32(link.advise);
          args.AddInt64(link.clientHandle);
          args.AddText(link.name);
        }
        args.AddInt32(static_cast<uint32_t>(releases.size()));
        for (const uint64_t handle : releases) args.AddInt64(handle);
        args.AddInt32(static_cast<uint32_t>(advises.size()));
        for (const CNAdviseRequest& advise : advises) {
          args.AddInt64(advise.serverHandle);
          args.AddInt32(advise.advise);
        }
      },
      confirmation);
  if (!result.Succeeded() || !confirmation.ok) return result;
  // The answer names its own length: a short one is refused before anything is sized by it.
  if (packet.GetRemaining() / 8 < links.size()) return InvalidAnswer();
  handles.resize(links.size());
  for (uint64_t& handle : handles) packet.ReadU64(handle);
  return result;
}

ClientResult SendUpdate(CNDAClient& client, CNPacketHolder& packet) {
  return Exchange(client, packet, u"Update", [](CNDAPacketCreator&) {});
}

ClientResult SendRead(CNDAClient& client, CNPacketHolder& packet, uint8_t readMode,
                      std::span<const uint64_t> serverHandles, CNLinkConfirmation& confirmation) {
  return Confirmed(
      client, packet, u"Read",
      [&](CNDAPacketCreator& args) {
        AddByte(args, readMode);
        args.AddInt32(static_cast<uint32_t>(serverHandles.size()));
        for (const uint64_t handle : serverHandles) args.AddInt64(handle);
      },
      confirmation);
}

ClientResult SendWrite(CNDAClient& client, CNPacketHolder& packet, std::span<const CNWriteRequest> writes,
                       CNLinkConfirmation& confirmation) {
  return Confirmed(
      client, packet, u"Write",
      [&](CNDAPacketCreator& args) {
        args.AddInt32(static_cast<uint32_t>(writes.size()));
        for (const CNWriteRequest& write : writes) {
          args.AddInt64(write.serverHandle);
          args.AddValue(*write.value);
        }
      },
      confirmation);
}
