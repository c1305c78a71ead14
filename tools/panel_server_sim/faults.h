#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace panel_sim {

// Misbehaviours switched on with --fault, so that clients can be tested against a server that
// refuses, stalls or sends broken frames. Apart from refuse-handshake and quality-flap they
// touch command answers only: the connection handshake stays intact so a client gets that far.
struct FaultSettings {
  bool refuseHandshake = false;
  bool refuseLogin = false;
  bool refuseKeepAlive = false;
  bool refuseService = false;
  bool closeAfter = false;
  uint32_t closeAfterAnswers = 0;
  bool delay = false;
  uint32_t delayMs = 0;
  bool corruptCrc = false;
  bool garbageBeforeFrame = false;
  bool wrongChannel = false;
  bool wrongId = false;
  bool errorStatus = false;
  uint32_t errorStatusCode = 0;
  bool shortFrame = false;
  bool stopAnswering = false;
  bool qualityFlap = false;
  uint32_t qualityFlapMs = 0;
  // The alarm service's own misbehaviours.
  bool alarmDropCallback = false;
  bool alarmRefuse = false;
  bool alarmStall = false;
  bool alarmOversizedPush = false;
  bool alarmShutdown = false;
  uint32_t alarmShutdownAfter = 0;
};

// Switches on the fault named by faultText ("NAME" or "NAME=ARG"). False with error set for an
// unknown name, a missing or unexpected argument, or an argument that is not a number.
bool ParseFault(std::string_view faultText, FaultSettings& faults, std::string& error);

// One line per fault for --help.
std::string FaultHelpText();

}  // namespace panel_sim
