#pragma once

#include <functional>

#include "comm/packet_holder.h"
#include "panel_server_sim/command_context.h"

namespace panel_sim {

// Answers one command: reads the request payload's header, runs the handler named by it and
// builds the complete answer frame (channel "N") carrying the request's packet id and name.
// An unknown command is answered with kStatusUnknownCommand, malformed arguments with
// kStatusBadArguments. The faults error-status and wrong-id are applied here. False, with
// nothing to send, when the payload holds no readable command header or the handler asks for
// no answer (kStatusNoAnswer).
bool AnswerCommand(ServerContext& server, ConnectionState& connection, CNPacketHolder& request,
                   CNPacketHolder& answer, std::function<void()>& afterAnswer);

}  // namespace panel_sim
