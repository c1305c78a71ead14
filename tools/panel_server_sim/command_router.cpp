#include "panel_server_sim/command_router.h"

#include <map>
#include <string>

#include "comm/frame.h"
#include "panel_server_sim/command_packet.h"

namespace panel_sim {

namespace {

const std::map<std::u16string_view, CommandHandler>& Handlers() {
  static const std::map<std::u16string_view, CommandHandler> handlers = [] {
    std::map<std::u16string_view, CommandHandler> all;
    for (const auto family : {ConnectCommands(), TagCommands(), LoginCommands(), ServiceCommands(), AlarmCommands()})
      for (const CommandEntry& entry : family) all.emplace(entry.name, entry.handler);
    return all;
  }();
  return handlers;
}

}  // namespace

void WriteConfirmation(CNDAPacketCreator& args, bool ok, std::u16string_view error) {
  args.AddInt32(ok ? 1 : 0);
  if (!ok) args.AddText(error);
}

uint16_t ConfirmCommand(CommandContext& context) {
  WriteConfirmation(context.plain, true);
  return kStatusOk;
}

CNValue TextList(const std::vector<std::u16string>& texts) {
  CNValue list;
  const uint32_t count = static_cast<uint32_t>(texts.size());
  if (count == 0 || !list.SetDimensions(1, &count)) return list;
  for (uint32_t i = 0; i < count; ++i) list.SetStringAt(i, texts[i]);
  list.SetQuality(VQ_GOOD);
  return list;
}

bool AnswerCommand(ServerContext& server, ConnectionState& connection, CNPacketHolder& request,
                   CNPacketHolder& answer, std::function<void()>& afterAnswer) {
  uint8_t id = 0;
  std::u16string name;
  if (!ReadCommandHeader(request, id, name)) return false;
  const FaultSettings& faults = server.faults;
  const uint8_t answerId = faults.wrongId ? static_cast<uint8_t>(id + 1) : id;
  BeginFrame(answer);
  WriteCommandHeader(answer, answerId, kStatusOk, name);
  uint16_t status = kStatusOk;
  if (faults.errorStatus) {
    status = static_cast<uint16_t>(faults.errorStatusCode);
  } else {
    const auto found = Handlers().find(name);
    if (found == Handlers().end()) {
      status = kStatusUnknownCommand;
    } else {
      CommandContext context(server, connection, request, answer);
      status = found->second(context);
      if (status == kStatusNoAnswer) return false;
      afterAnswer = std::move(context.afterAnswer);
    }
  }
  if (status != kStatusOk) {
    afterAnswer = nullptr;
    BeginFrame(answer);
    WriteCommandHeader(answer, answerId, status, name);
  }
  return FinishFrame(answer, kChannelCommand);
}

}  // namespace panel_sim
