// "Link", "Update", "Read" and "Write": the link tag server's commands, with bare arguments.
#include <vector>

#include "comm/value_codec.h"
#include "panel_server_sim/command_context.h"
#include "panel_server_sim/command_packet.h"
#include "panel_server_sim/link_session.h"
#include "panel_server_sim/tag_table.h"

namespace panel_sim {

namespace {

// Item kinds of "Update", "Read" and "Write" answers.
constexpr uint8_t kItemValue = 0;
constexpr uint8_t kItemQuality = 1;
constexpr uint8_t kItemFailed = 3;

// Fewest bytes an item can take, to refuse counts that cannot fit before reading them.
constexpr uint32_t kLinkItemBytes = 4 + 8 + 2;
constexpr uint32_t kHandleBytes = 8;
constexpr uint32_t kAdviseItemBytes = 8 + 4;
constexpr uint32_t kWriteItemBytes = 8 + 2;

bool ReadCount(CNPacketHolder& request, uint32_t itemBytes, uint32_t& count) {
  return request.ReadU32(count) && count <= request.GetRemaining() / itemBytes;
}

void AddItem(CNDAPacketCreatorSimple& args, uint8_t kind) { args.AddBytes(&kind, 1); }

LinkSession& Session(CommandContext& context) { return *context.connection.shared->GetSession(); }

struct LinkRequest {
  uint32_t advise = 0;
  uint64_t clientHandle = 0;
  std::u16string name;
};

// link := u32 a, a × (u32 advise, u64 client handle, name)
//         u32 b, b × u64 server handle to release
//         u32 c, c × (u64 server handle, u32 advise)
uint16_t HandleLink(CommandContext& context) {
  CNPacketHolder& request = context.request;
  uint32_t count = 0;
  if (!ReadCount(request, kLinkItemBytes, count)) return kStatusBadArguments;
  std::vector<LinkRequest> links(count);
  for (LinkRequest& link : links)
    if (!request.ReadU32(link.advise) || !request.ReadU64(link.clientHandle) || !request.ReadText(link.name))
      return kStatusBadArguments;
  if (!ReadCount(request, kHandleBytes, count)) return kStatusBadArguments;
  std::vector<uint64_t> releases(count);
  for (uint64_t& handle : releases)
    if (!request.ReadU64(handle)) return kStatusBadArguments;
  if (!ReadCount(request, kAdviseItemBytes, count)) return kStatusBadArguments;
  std::vector<std::pair<uint64_t, uint32_t>> advises(count);
  for (auto& [handle, advise] : advises)
    if (!request.ReadU64(handle) || !request.ReadU32(advise)) return kStatusBadArguments;

  LinkSession& session = Session(context);
  for (const uint64_t handle : releases) session.Release(handle);
  for (const auto& [handle, advise] : advises) session.SetAdvise(handle, advise);
  context.simple.AddInt32(1);
  for (const LinkRequest& link : links) {
    const std::optional<uint32_t> tag = context.server.tags.Find(link.name);
    context.simple.AddInt64(tag ? session.Link(*tag, link.clientHandle, link.advise) : 0);
  }
  return kStatusOk;
}

// update := (nothing)
uint16_t HandleUpdate(CommandContext& context) {
  const std::vector<LinkSession::Change> changes = Session(context).CollectChanges(context.server.tags);
  context.simple.AddInt32(1);
  context.simple.AddInt32(static_cast<uint32_t>(changes.size()));
  for (const LinkSession::Change& change : changes) {
    context.simple.AddInt64(change.clientHandle);
    if (change.qualityOnly) {
      AddItem(context.simple, kItemQuality);
      const uint8_t quality = change.value.GetQuality();
      context.simple.AddBytes(&quality, 1);
    } else {
      AddItem(context.simple, kItemValue);
      context.simple.AddValue(change.value);
    }
  }
  return kStatusOk;
}

// read := u8 read mode, u32 count, count × u64 server handle
uint16_t HandleRead(CommandContext& context) {
  uint8_t mode = 0;
  uint32_t count = 0;
  if (!context.request.ReadU8(mode) || !ReadCount(context.request, kHandleBytes, count)) return kStatusBadArguments;
  std::vector<uint64_t> handles(count);
  for (uint64_t& handle : handles)
    if (!context.request.ReadU64(handle)) return kStatusBadArguments;
  LinkSession& session = Session(context);
  context.simple.AddInt32(1);
  for (const uint64_t handle : handles) {
    const std::optional<uint32_t> tag = session.FindTag(handle);
    if (!tag) {
      AddItem(context.simple, kItemFailed);
      continue;
    }
    CNValue value;
    context.server.tags.Read(*tag, value);
    AddItem(context.simple, kItemValue);
    context.simple.AddValue(value);
  }
  return kStatusOk;
}

// write := u32 count, count × (u64 server handle, value)
uint16_t HandleWrite(CommandContext& context) {
  uint32_t count = 0;
  if (!ReadCount(context.request, kWriteItemBytes, count)) return kStatusBadArguments;
  std::vector<std::pair<uint64_t, CNValue>> items(count);
  for (auto& [handle, value] : items)
    if (!context.request.ReadU64(handle) || !DecodeValue(context.request, value)) return kStatusBadArguments;
  LinkSession& session = Session(context);
  context.simple.AddInt32(1);
  for (const auto& [handle, value] : items) {
    const std::optional<uint32_t> tag = session.FindTag(handle);
    CNValue stored;
    const uint64_t version = tag ? context.server.tags.Write(*tag, value, stored) : 0;
    if (version == 0) {
      AddItem(context.simple, kItemFailed);
      continue;
    }
    session.MarkSeen(*tag, stored, version);
    AddItem(context.simple, kItemValue);
    context.simple.AddValue(stored);
  }
  return kStatusOk;
}

constexpr CommandEntry kCommands[] = {
    {u"Link", HandleLink},
    {u"Update", HandleUpdate},
    {u"Read", HandleRead},
    {u"Write", HandleWrite},
};

}  // namespace

std::span<const CommandEntry> TagCommands() { return kCommands; }

}  // namespace panel_sim
