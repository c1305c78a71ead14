#include "comm_e2e/link_commands.h"

#include <cerrno>

#include "comm/frame.h"
#include "comm/value_codec.h"
#include "support/utf16_text.h"

namespace {

template <class Creator>
Answer Exchange(CNDAClient& client, std::u16string_view name, const ArgWriter& args) {
  Answer answer;
  CNPacketHolder& packet = answer.packet;
  client.BeginPacket(packet);
  Creator creator(packet);
  creator.BeginCommand(name);
  if (args) args(creator);
  client.EndPacket(packet);
  answer.id = creator.GetPacketId();
  answer.result = client.SendCommand(packet);
  if (answer.result.Succeeded()) answer.result = client.Receive(packet);
  if (answer.result.Succeeded()) answer.result = CheckAnswer(packet, answer.id);
  return answer;
}

// Reads the items of a "Read" or "Write" answer (count known from the request) or of an
// "Update" answer (count and client handles in the answer).
bool ReadItems(CNPacketHolder& packet, uint32_t count, bool withHandles, std::vector<TagItem>& items) {
  for (uint32_t i = 0; i < count; ++i) {
    TagItem item;
    if (withHandles && !packet.ReadU64(item.clientHandle)) return false;
    if (!packet.ReadU8(item.kind)) return false;
    if (item.kind == 0 && !DecodeValue(packet, item.value)) return false;
    if (item.kind == 1 && !packet.ReadU8(item.quality)) return false;
    items.push_back(std::move(item));
  }
  return packet.IsEnd();
}

TagAnswer TagCommand(CNDAClient& client, std::u16string_view name, const ArgWriter& args, int64_t count) {
  Answer answer = Transact(client, name, args);
  TagAnswer tags;
  tags.result = answer.result;
  tags.id = answer.id;
  if (!answer.result.Succeeded()) return tags;
  tags.arguments = answer.Arguments();
  CNPacketHolder& packet = answer.packet;
  if (!packet.ReadU32(tags.ok) || tags.ok == 0) return tags;
  uint32_t items = static_cast<uint32_t>(count);
  if (count < 0 && !packet.ReadU32(items)) return tags;
  tags.parsed = ReadItems(packet, items, count < 0, tags.items);
  return tags;
}

}  // namespace

std::vector<uint8_t> Answer::Arguments() const {
  const uint8_t* data = packet.GetData();
  if (!result.Succeeded() || data == nullptr) return {};
  return std::vector<uint8_t>(data + packet.GetPosition(), data + packet.GetSize());
}

Answer Transact(CNDAClient& client, std::u16string_view name, const ArgWriter& args) {
  return Exchange<CNDAPacketCreatorSimple>(client, name, args);
}

Answer TransactPlain(CNDAClient& client, std::u16string_view name, const ArgWriter& args) {
  return Exchange<CNDAPacketCreator>(client, name, args);
}

ConnectAnswer LinkConnect(CNDAClient& client, uint32_t kind, uint64_t id) {
  Answer answer = Transact(client, u"Connect", [&](CNDAPacketCreator& args) {
    args.AddInt32(kind);
    if (kind == 2) args.AddInt64(id);
  });
  ConnectAnswer connect;
  connect.result = answer.result;
  if (!answer.result.Succeeded() || !answer.packet.ReadU32(connect.ok)) return connect;
  if (connect.ok == 0) {
    answer.packet.ReadText(connect.error);
  } else if (kind == 1) {
    answer.packet.ReadU64(connect.id);
  }
  return connect;
}

LinkAnswer Link(CNDAClient& client, const std::vector<LinkItem>& links, const std::vector<uint64_t>& releases) {
  Answer answer = Transact(client, u"Link", [&](CNDAPacketCreator& args) {
    args.AddInt32(static_cast<uint32_t>(links.size()));
    for (const LinkItem& link : links) {
      args.AddInt32(link.advise);
      args.AddInt64(link.clientHandle);
      args.AddText(link.name);
    }
    args.AddInt32(static_cast<uint32_t>(releases.size()));
    for (const uint64_t handle : releases) args.AddInt64(handle);
    args.AddInt32(0);
  });
  LinkAnswer link;
  link.result = answer.result;
  if (!answer.result.Succeeded() || !answer.packet.ReadU32(link.ok) || link.ok == 0) return link;
  for (size_t i = 0; i < links.size(); ++i) {
    uint64_t handle = 0;
    if (!answer.packet.ReadU64(handle)) break;
    link.handles.push_back(handle);
  }
  return link;
}

TagAnswer Read(CNDAClient& client, const std::vector<uint64_t>& handles, uint8_t mode) {
  return TagCommand(
      client, u"Read",
      [&](CNDAPacketCreator& args) {
        args.AddBytes(&mode, 1);
        args.AddInt32(static_cast<uint32_t>(handles.size()));
        for (const uint64_t handle : handles) args.AddInt64(handle);
      },
      static_cast<int64_t>(handles.size()));
}

TagAnswer Write(CNDAClient& client, const std::vector<std::pair<uint64_t, CNValue>>& items) {
  return TagCommand(
      client, u"Write",
      [&](CNDAPacketCreator& args) {
        args.AddInt32(static_cast<uint32_t>(items.size()));
        for (const auto& [handle, value] : items) {
          args.AddInt64(handle);
          args.AddValue(value);
        }
      },
      static_cast<int64_t>(items.size()));
}

TagAnswer Update(CNDAClient& client) { return TagCommand(client, u"Update", {}, -1); }

CNValue Literal(std::u16string_view text) {
  CNValue value;
  value.FromLiteral(text, true);
  return value;
}

std::string LiteralOf(const CNValue& value) { return Utf16ToUtf8(value.ToLiteral(true)); }

std::string Text(const ClientResult& result) { return Utf16ToUtf8(result.message); }

bool IsConnectionLost(const ClientResult& result) { return result.IsConnectionLost(); }

std::u16string CommandName(const std::vector<uint8_t>& payload) {
  if (payload.size() < 7) return {};
  const size_t bytes = payload[3] | (payload[4] << 8);
  if (payload.size() < 7 + bytes) return {};
  std::u16string name;
  for (size_t i = 0; i < bytes; i += 2) name.push_back(static_cast<char16_t>(payload[5 + i] | (payload[6 + i] << 8)));
  return name;
}
