#include "comm_e2e/link_commands.h"

#include "comm/frame.h"
#include "comm/link_protocol.h"
#include "support/utf16_text.h"

namespace {

// The arguments of an answer the link protocol has read up to its items, and with ok, count
// items read with readItem.
TagAnswer Items(const ClientResult& result, CNPacketHolder& packet, bool ok, size_t count,
                bool (*readItem)(CNPacketHolder&, CNTagItem&)) {
  TagAnswer tags;
  tags.result = result;
  if (!result.Succeeded()) return tags;
  const uint8_t* data = packet.GetData();
  tags.arguments.assign(data + 7 + (data[3] | data[4] << 8), data + packet.GetSize());
  for (size_t i = 0; ok && i < count; ++i) {
    CNTagItem item;
    if (!readItem(packet, item)) return tags;
    tags.items.push_back({item.clientHandle, item.value ? *item.value : CNValue()});
  }
  tags.parsed = ok && packet.IsEnd();
  return tags;
}

}  // namespace

ConnectAnswer LinkConnect(CNDAClient& client, uint32_t kind, uint64_t id) {
  ConnectAnswer connect;
  CNPacketHolder packet;
  CNLinkConfirmation confirmation;
  connect.result = SendLinkConnect(client, packet, kind, id, confirmation, connect.id);
  connect.ok = confirmation.ok ? 1 : 0;
  connect.error = confirmation.message;
  return connect;
}

LinkAnswer Link(CNDAClient& client, const std::vector<LinkItem>& links) {
  std::vector<CNLinkRequest> requests;
  for (const LinkItem& link : links) requests.push_back({link.advise, link.clientHandle, link.name});
  LinkAnswer link;
  CNPacketHolder packet;
  CNLinkConfirmation confirmation;
  link.result = SendLink(client, packet, requests, {}, {}, confirmation, link.handles);
  return link;
}

TagAnswer Read(CNDAClient& client, const std::vector<uint64_t>& handles, uint8_t mode) {
  CNPacketHolder packet;
  CNLinkConfirmation confirmation;
  const ClientResult result = SendRead(client, packet, mode, handles, confirmation);
  return Items(result, packet, confirmation.ok, handles.size(), ReadTagItem);
}

TagAnswer Write(CNDAClient& client, const std::vector<std::pair<uint64_t, CNValue>>& items) {
  std::vector<CNWriteRequest> writes;
  for (const auto& [handle, value] : items) writes.push_back({handle, &value});
  CNPacketHolder packet;
  CNLinkConfirmation confirmation;
  const ClientResult result = SendWrite(client, packet, writes, confirmation);
  return Items(result, packet, confirmation.ok, items.size(), ReadTagItem);
}

TagAnswer Update(CNDAClient& client) {
  CNPacketHolder packet;
  ClientResult result = SendUpdate(client, packet);
  CNLinkConfirmation confirmation;
  uint32_t count = 0;
  if (result.Succeeded() && !ReadUpdateHeader(packet, confirmation, count)) result = InvalidAnswer();
  return Items(result, packet, confirmation.ok, count, ReadUpdateItem);
}

CNValue Literal(std::u16string_view text) {
  CNValue value;
  value.FromLiteral(text, true);
  return value;
}

std::string LiteralOf(const CNValue& value) {
  return Utf16ToUtf8(value.ToLiteral(true));
}
