#include "panel_server_sim/faults.h"

#include <algorithm>
#include <charconv>

namespace panel_sim {

namespace {

struct FaultInfo {
  std::string_view name;
  bool FaultSettings::*enabled;
  uint32_t FaultSettings::*argument;  // null for a fault without argument
  std::string_view argumentName;
  std::string_view help;
};

constexpr FaultInfo kFaults[] = {
    {"refuse-handshake", &FaultSettings::refuseHandshake, nullptr, "",
     "answer every connection handshake with \"NG\" and close"},
    {"refuse-login", &FaultSettings::refuseLogin, nullptr, "", "answer every \"Login\" with ok 0"},
    {"refuse-keepalive", &FaultSettings::refuseKeepAlive, nullptr, "", "answer every \"KeepAlive\" with ok 0"},
    {"refuse-service", &FaultSettings::refuseService, nullptr, "",
     "answer every service \"Connect\"/\"Connect2\" with ok 0"},
    {"close-after", &FaultSettings::closeAfter, &FaultSettings::closeAfterAnswers, "N",
     "close a connection after its N-th command answer (0: right after the handshake)"},
    {"delay", &FaultSettings::delay, &FaultSettings::delayMs, "MS", "wait MS milliseconds before every answer"},
    {"corrupt-crc", &FaultSettings::corruptCrc, nullptr, "", "send every answer with a wrong CRC"},
    {"garbage-before-frame", &FaultSettings::garbageBeforeFrame, nullptr, "",
     "send stray bytes (including a false \"@KV\" start) before every answer"},
    {"wrong-channel", &FaultSettings::wrongChannel, nullptr, "",
     "send a decoy frame on channel \"C\" over the command socket before every answer"},
    {"wrong-id", &FaultSettings::wrongId, nullptr, "", "answer with a packet id one above the request's"},
    {"error-status", &FaultSettings::errorStatus, &FaultSettings::errorStatusCode, "CODE",
     "answer every command with status CODE and no arguments"},
    {"short-frame", &FaultSettings::shortFrame, nullptr, "", "answer with a frame whose length field is 5"},
    {"stop-answering", &FaultSettings::stopAnswering, nullptr, "", "read commands but never answer them"},
    {"quality-flap", &FaultSettings::qualityFlap, &FaultSettings::qualityFlapMs, "MS",
     "every MS milliseconds turn every tag's quality from GOOD to BAD or back"},
    {"alarm-drop-callback", &FaultSettings::alarmDropCallback, nullptr, "",
     "close a subscriber's callback channel right after answering its subscription"},
    {"alarm-refuse", &FaultSettings::alarmRefuse, nullptr, "", "answer every alarm command with ok 0"},
    {"alarm-stall", &FaultSettings::alarmStall, nullptr, "", "read alarm commands but never answer them"},
    {"alarm-oversized-push", &FaultSettings::alarmOversizedPush, nullptr, "",
     "send the header of a frame far too large before every pushed notification"},
    {"alarm-shutdown", &FaultSettings::alarmShutdown, &FaultSettings::alarmShutdownAfter, "N",
     "push \"AlarmServerShutdown\" to every subscriber after the N-th alarm command's answer"},
};

}  // namespace

bool ParseFault(std::string_view faultText, FaultSettings& faults, std::string& error) {
  const size_t equals = faultText.find('=');
  const std::string_view name = faultText.substr(0, equals);
  for (const FaultInfo& info : kFaults) {
    if (info.name != name) continue;
    if (!info.argument) {
      if (equals != std::string_view::npos) {
        error = "fault " + std::string(name) + " takes no argument";
        return false;
      }
    } else {
      const std::string_view text = equals == std::string_view::npos ? std::string_view() : faultText.substr(equals + 1);
      uint32_t number = 0;
      const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), number);
      if (text.empty() || status != std::errc() || end != text.data() + text.size()) {
        error = "fault " + std::string(name) + " needs a number: " + std::string(name) + "=" +
                std::string(info.argumentName);
        return false;
      }
      faults.*info.argument = number;
    }
    faults.*info.enabled = true;
    return true;
  }
  error = "unknown fault \"" + std::string(name) + "\"";
  return false;
}

std::string FaultHelpText() {
  std::string text;
  for (const FaultInfo& info : kFaults) {
    std::string left = "  " + std::string(info.name);
    if (info.argument) left += "=" + std::string(info.argumentName);
    left.resize(std::max<size_t>(left.size() + 1, 26), ' ');
    text += left + std::string(info.help) + "\n";
  }
  return text;
}

}  // namespace panel_sim
