#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "comm/packet_creator.h"
#include "comm/packet_holder.h"
#include "panel_server_sim/connection_registry.h"
#include "panel_server_sim/faults.h"
#include "values/value.h"

namespace panel_sim {

class AlarmService;
class ServiceStore;
class TagTable;
class UserTable;

// Everything the command handlers of all connections share.
struct ServerContext {
  TagTable& tags;
  UserTable& users;
  AlarmService& alarms;
  ServiceStore& store;
  ConnectionRegistry& connections;
  const FaultSettings& faults;
};

struct LoginInfo {
  std::u16string user;
  uint32_t level = 0;
};

// What one command connection knows about itself, used only on its own thread.
struct ConnectionState {
  std::shared_ptr<ConnectionShared> shared;
  uint8_t clientKind = 0;
  uint32_t processId = 0;
  uint32_t clientId = 0;
  std::optional<LoginInfo> login;
  std::u16string serviceName;  // given by a service "Connect"/"Connect2"
};

// One command being answered. The request is positioned on its first argument; the answer
// holds the command header and takes the answer's arguments through either creator: Plain for
// length-prefixed arguments, Simple for bare ones.
struct CommandContext {
  CommandContext(ServerContext& serverContext, ConnectionState& connectionState, CNPacketHolder& requestPacket,
                 CNPacketHolder& answerPacket)
      : server(serverContext),
        connection(connectionState),
        request(requestPacket),
        plain(answerPacket),
        simple(answerPacket) {}

  ServerContext& server;
  ConnectionState& connection;
  CNPacketHolder& request;
  CNDAPacketCreator plain;
  CNDAPacketCreatorSimple simple;
  // Run once the answer has been sent (pushed frames that must follow it).
  std::function<void()> afterAnswer;
};

// A handler reads the request, writes the answer's arguments and returns the answer's status;
// for a status other than kStatusOk the arguments are dropped.
using CommandHandler = uint16_t (*)(CommandContext& context);

struct CommandEntry {
  std::u16string_view name;
  CommandHandler handler;
};

// The handlers of each family of commands.
std::span<const CommandEntry> ConnectCommands();
std::span<const CommandEntry> TagCommands();
std::span<const CommandEntry> LoginCommands();
std::span<const CommandEntry> ServiceCommands();
std::span<const CommandEntry> AlarmCommands();

// The confirmation most commands answer with: ok, and when refused the error text.
void WriteConfirmation(CNDAPacketCreator& args, bool ok, std::u16string_view error = {});
// A handler for commands that are simply accepted: a plain ok of 1.
uint16_t ConfirmCommand(CommandContext& context);
// A one-dimensional list of texts with quality GOOD (the empty value when there are none).
CNValue TextList(const std::vector<std::u16string>& texts);

}  // namespace panel_sim
