// "Connect" and "Connect2": a link client's connection kinds, and the service handshake.
#include "panel_server_sim/command_context.h"
#include "panel_server_sim/command_packet.h"

namespace panel_sim {

namespace {

constexpr uint32_t kConnectCommandClient = 1;
constexpr uint32_t kConnectUpdateClient = 2;

// Kind 1 starts a new link session named by this connection's identifier; kind 2 joins the
// session of the connection that identifier names.
uint16_t LinkConnect(CommandContext& context, uint32_t kind) {
  ConnectionShared& self = *context.connection.shared;
  if (kind == kConnectCommandClient) {
    self.SetSession(std::make_shared<LinkSession>());
    context.simple.AddInt32(1);
    context.simple.AddInt64(self.GetId());
    return kStatusOk;
  }
  uint64_t id = 0;
  if (!context.request.ReadU64(id)) return kStatusBadArguments;
  const std::shared_ptr<ConnectionShared> owner = context.server.connections.Find(id);
  if (!owner) {
    WriteConfirmation(context.simple, false, u"Unknown connection identifier.");
    return kStatusOk;
  }
  self.SetSession(owner->GetSession());
  WriteConfirmation(context.simple, true);
  return kStatusOk;
}

// service_connect := service name (UTF-16 with NUL)
uint16_t ServiceConnect(CommandContext& context) {
  std::u16string service;
  if (!context.request.ReadText(service)) return kStatusBadArguments;
  if (context.server.faults.refuseService) {
    WriteConfirmation(context.simple, false, u"Service refused.");
    return kStatusOk;
  }
  context.connection.serviceName = std::move(service);
  WriteConfirmation(context.simple, true);
  return kStatusOk;
}

// A u32 kind of 1 or 2 (kind 2 followed by the u64 identifier) is a link client's; anything
// else is a service name.
uint16_t HandleConnect(CommandContext& context) {
  const uint32_t start = context.request.GetPosition();
  const uint32_t remaining = context.request.GetRemaining();
  uint32_t kind = 0;
  if ((remaining == 4 || remaining == 12) && context.request.ReadU32(kind) &&
      (kind == kConnectCommandClient || kind == kConnectUpdateClient))
    return LinkConnect(context, kind);
  context.request.Seek(start, CNPacketHolder::kSeekBegin);
  return ServiceConnect(context);
}

constexpr CommandEntry kCommands[] = {
    {u"Connect", HandleConnect},
    {u"Connect2", ServiceConnect},
};

}  // namespace

std::span<const CommandEntry> ConnectCommands() { return kCommands; }

}  // namespace panel_sim
