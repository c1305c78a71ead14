// The login server's other services: server time, reference counters, files, tag searches,
// structure tags and the rest, with length-prefixed arguments. Commands that confirm an action
// answer ok (and an error text when refused); commands that fetch data answer the data itself.
#include <vector>

#include "panel_server_sim/arg_reader.h"
#include "panel_server_sim/command_context.h"
#include "panel_server_sim/command_packet.h"
#include "panel_server_sim/service_store.h"
#include "panel_server_sim/tag_table.h"
#include "support/utf16_text.h"

namespace panel_sim {

namespace {

constexpr std::u16string_view kServerVersion = u"1.0.0";

bool ContainsIgnoreCase(std::u16string_view text, std::u16string_view part) {
  return ToUpperAscii(text).find(ToUpperAscii(part)) != std::u16string::npos;
}

// The tag names accepted by a filter: every name for "" or "*", else the names holding it.
std::vector<std::u16string> FindTagNames(const TagTable& tags, std::u16string_view filter, bool childrenOnly) {
  std::vector<std::u16string> names;
  const bool all = filter.empty() || filter == u"*";
  const std::u16string prefix = std::u16string(filter) + u".";
  for (uint32_t i = 0; i < tags.GetCount(); ++i) {
    const std::u16string& name = tags.GetName(i);
    if (all || (childrenOnly ? name.starts_with(prefix) : ContainsIgnoreCase(name, filter))) names.push_back(name);
  }
  return names;
}

uint16_t AnswerEmptyValue(CommandContext& context) {
  context.plain.AddValue(CNValue());
  return kStatusOk;
}

uint16_t AnswerEmptyText(CommandContext& context) {
  context.plain.AddText(u"");
  return kStatusOk;
}

uint16_t HandleGetServerTime(CommandContext& context) {
  context.plain.AddInt64(context.server.store.GetTime());
  return kStatusOk;
}

// set_server_time := bytes: an 8-byte FILETIME or a 16-byte SYSTEMTIME, both UTC
uint16_t HandleSetServerTime(CommandContext& context) {
  std::vector<uint8_t> bytes;
  if (!ArgReader(context.request).ReadRaw(bytes)) return kStatusBadArguments;
  FileTime now = 0;
  if (bytes.size() == 8) {
    now = LittleEndian(bytes);
  } else if (bytes.size() == 16) {
    int fields[8];
    for (size_t i = 0; i < 8; ++i) fields[i] = bytes[2 * i] | bytes[2 * i + 1] << 8;
    const CRCalendarTime t{fields[0], fields[1], fields[2], fields[3], fields[4], fields[5], fields[6], fields[7]};
    if (!UtcCalendarToFileTime(t, now)) return kStatusBadArguments;
  } else {
    return kStatusBadArguments;
  }
  context.server.store.SetTime(now);
  return ConfirmCommand(context);
}

// add_reference_counter := name, bytes
uint16_t HandleAddReferenceCounter(CommandContext& context) {
  std::u16string name;
  if (!ArgReader(context.request).ReadText(name)) return kStatusBadArguments;
  WriteConfirmation(context.plain, context.server.store.AddReference(name) != 0, u"Too many reference counters.");
  return kStatusOk;
}

// release_reference_counter := name
uint16_t HandleReleaseReferenceCounter(CommandContext& context) {
  std::u16string name;
  if (!ArgReader(context.request).ReadText(name)) return kStatusBadArguments;
  WriteConfirmation(context.plain, context.server.store.ReleaseReference(name), u"Reference counter not held.");
  return kStatusOk;
}

// get_reference_counter := name
uint16_t HandleGetReferenceCounter(CommandContext& context) {
  std::u16string name;
  if (!ArgReader(context.request).ReadText(name)) return kStatusBadArguments;
  context.plain.AddInt32(context.server.store.GetReference(name));
  return kStatusOk;
}

// get_structure_tag_value := value (tag name), value
uint16_t HandleGetStructureTagValue(CommandContext& context) {
  CNValue name;
  if (!ArgReader(context.request).ReadValue(name)) return kStatusBadArguments;
  CNValue value;
  if (const std::optional<uint32_t> tag = context.server.tags.Find(name.GetText(0))) context.server.tags.Read(*tag, value);
  context.plain.AddValue(value);
  return kStatusOk;
}

// filter_structure_tag_name := bytes, filter, three texts
uint16_t HandleFilterStructureTagName(CommandContext& context) {
  ArgReader args(context.request);
  std::vector<uint8_t> options;
  std::u16string filter;
  if (!args.ReadRaw(options) || !args.ReadText(filter)) return kStatusBadArguments;
  context.plain.AddValue(TextList(FindTagNames(context.server.tags, filter, false)));
  return kStatusOk;
}

// get_child_tags / search_tags := u32, u32, name or filter, text, value, value
uint16_t AnswerTagNames(CommandContext& context, bool childrenOnly) {
  ArgReader args(context.request);
  uint32_t first = 0;
  uint32_t second = 0;
  std::u16string filter;
  if (!args.ReadInt32(first) || !args.ReadInt32(second) || !args.ReadText(filter)) return kStatusBadArguments;
  context.plain.AddValue(TextList(FindTagNames(context.server.tags, filter, childrenOnly)));
  return kStatusOk;
}

uint16_t HandleGetChildTags(CommandContext& context) { return AnswerTagNames(context, true); }
uint16_t HandleSearchTags(CommandContext& context) { return AnswerTagNames(context, false); }

uint16_t HandleGetServerVersion(CommandContext& context) {
  context.plain.AddText(kServerVersion);
  return kStatusOk;
}

// A byte block argument; an empty one still passes a valid pointer.
void AddByteBlock(CNDAPacketCreator& args, const std::vector<uint8_t>& bytes) {
  static constexpr uint8_t kNothing = 0;
  args.AddBytes(bytes.empty() ? &kNothing : bytes.data(), static_cast<uint32_t>(bytes.size()));
}

uint16_t HandleGetBrowserFile(CommandContext& context) {
  AddByteBlock(context.plain, {});
  return kStatusOk;
}

// send_file := folder, name, bytes (contents), bytes
uint16_t HandleSendFile(CommandContext& context) {
  ArgReader args(context.request);
  std::u16string folder;
  std::u16string name;
  std::vector<uint8_t> data;
  if (!args.ReadText(folder) || !args.ReadText(name) || !args.ReadRaw(data)) return kStatusBadArguments;
  WriteConfirmation(context.plain, context.server.store.PutFile(folder, name, std::move(data)),
                    u"Not enough room on the server.");
  return kStatusOk;
}

// receive_file := folder, name
uint16_t HandleReceiveFile(CommandContext& context) {
  ArgReader args(context.request);
  std::u16string folder;
  std::u16string name;
  if (!args.ReadText(folder) || !args.ReadText(name)) return kStatusBadArguments;
  AddByteBlock(context.plain, context.server.store.GetFile(folder, name).value_or(std::vector<uint8_t>()));
  return kStatusOk;
}

// server_browse_folder := folder, text, text
uint16_t HandleServerBrowseFolder(CommandContext& context) {
  std::u16string folder;
  if (!ArgReader(context.request).ReadText(folder)) return kStatusBadArguments;
  context.plain.AddValue(TextList(context.server.store.ListFolder(folder)));
  return kStatusOk;
}

// server_delete_file := folder, name
uint16_t HandleServerDeleteFile(CommandContext& context) {
  ArgReader args(context.request);
  std::u16string folder;
  std::u16string name;
  if (!args.ReadText(folder) || !args.ReadText(name)) return kStatusBadArguments;
  WriteConfirmation(context.plain, context.server.store.DeleteFile(folder, name), u"File not found.");
  return kStatusOk;
}

// server_delete_folder := folder, text
uint16_t HandleServerDeleteFolder(CommandContext& context) {
  std::u16string folder;
  if (!ArgReader(context.request).ReadText(folder)) return kStatusBadArguments;
  context.server.store.DeleteFolder(folder);
  return ConfirmCommand(context);
}

// test := value; answers the value
uint16_t HandleTest(CommandContext& context) {
  CNValue value;
  if (!ArgReader(context.request).ReadValue(value)) return kStatusBadArguments;
  context.plain.AddValue(value);
  return kStatusOk;
}

constexpr CommandEntry kCommands[] = {
    {u"GetServerTime", HandleGetServerTime},
    {u"SetServerTime", HandleSetServerTime},
    {u"ReloadServer", ConfirmCommand},
    {u"SaveServerFile", ConfirmCommand},
    {u"AddReferenceCounter", HandleAddReferenceCounter},
    {u"SendMail", ConfirmCommand},
    {u"ReleaseReferenceCounter", HandleReleaseReferenceCounter},
    {u"GetReferenceCounter", HandleGetReferenceCounter},
    {u"CreateSnapshotStructureTag", ConfirmCommand},
    {u"SortSnapshotStructureTag", ConfirmCommand},
    {u"GetSnapshotStructureTagValue", AnswerEmptyValue},
    {u"CreateSnapshotStructureTagMember", ConfirmCommand},
    {u"SortSnapshotStructureTagMember", ConfirmCommand},
    {u"GetSnapshotStructureTagMemberValue", AnswerEmptyValue},
    {u"FilterStructureTagName", HandleFilterStructureTagName},
    {u"FilterStructureTagValue", AnswerEmptyValue},
    {u"GetStructureMemberProperty", AnswerEmptyValue},
    {u"GetStructureTagValue", HandleGetStructureTagValue},
    {u"GetStructureTagBindScript", AnswerEmptyText},
    {u"SetStructureTagBindScript", ConfirmCommand},
    {u"GetDriverTagParam", AnswerEmptyText},
    {u"GetChildTags", HandleGetChildTags},
    {u"SearchTags", HandleSearchTags},
    {u"SearchRelatedInfo", AnswerEmptyValue},
    {u"GetServerVersion", HandleGetServerVersion},
    {u"GetLatestBrowser", AnswerEmptyText},
    {u"GetBrowserFile", HandleGetBrowserFile},
    {u"GetDirectLoginProjectInfo", AnswerEmptyText},
    {u"SendFile", HandleSendFile},
    {u"ReceiveFile", HandleReceiveFile},
    {u"ServerBrowseFolder", HandleServerBrowseFolder},
    {u"ServerDeleteFile", HandleServerDeleteFile},
    {u"ServerDeleteFolder", HandleServerDeleteFolder},
    {u"GetActionNames", AnswerEmptyValue},
    {u"Test", HandleTest},
};

}  // namespace

std::span<const CommandEntry> ServiceCommands() { return kCommands; }

}  // namespace panel_sim
