#pragma once

#include <cerrno>
#include <functional>
#include <memory>
#include <string>

#include "comm/client_test_util.h"
#include "comm/da_client_soap.h"
#include "comm/da_client_tcp.h"
#include "comm_e2e/server_process.h"

// Both data-access clients, each with its way to a server process started with its gateway and
// the texts in which the two differ.
struct Transport {
  const char* name;
  std::function<std::unique_ptr<CNDAClient>()> make;
  std::function<std::u16string(const ServerProcess&, int receiveTimeout)> connection;
  std::string refusedHandshake;                         // Connect's text when the server refuses
  std::string silentServer;                             // a command's text when no answer comes
  std::function<bool(const ClientResult&)> lostServer;  // a command's result once the server stopped
};

inline const Transport kTransports[] = {
    {"tcp", [] { return std::make_unique<CNDAClientTcp>(); },
     [](const ServerProcess& server, int receiveTimeout) { return server.TcpConnection(receiveTimeout); },
     "Fail to connect. Error from server.", "Failed to receive packet. Code:" + std::to_string(ETIMEDOUT),
     // closed or reset, depending on when the close arrived
     [](const ClientResult& result) { return result.IsConnectionLost(); }},
    // Short polling periods, so that pushed frames arrive within a test's patience.
    {"http",
     [] {
       return std::make_unique<CNDAClientSoap>(std::make_unique<CNSoapTransportCurl>(),
                                               CNSoapTimings{50, 50, 5000});
     },
     [](const ServerProcess& server, int receiveTimeout) { return server.SoapConnection(receiveTimeout); },
     "Fail to connect.", "Failed to receive packet. Code:0",
     // 7: the HTTP library's code for a refused connection
     [](const ClientResult& result) { return Text(result) == "Failed to send packet. Code:7"; }},
};
