#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A panel server: host and TCP port.
struct CNServerNode {
  std::u16string host;
  uint32_t port = 0;
};

// How a project reaches its panel servers and logs in, as its settings say. The project root
// fills every field from its settings (CNPRootClient::GetServerSettings); the tag-server links
// and the login read it.
struct CNServerSettings {
  enum CommunicationType : int32_t { kDefault = 0, kTcp = 1, kHttp = 2 };
  enum LoginMode : int32_t { kLoginNone = 0, kLoginAuto = 1, kLoginManual = 2 };

  CommunicationType communicationType = kDefault;
  int32_t timeOutSeconds = 0;
  int32_t timeOutConnect = 0;  // -1: not set
  bool ping = false;

  // The first node, and with redundancy the second as a standby; currentNode is the one in use.
  std::vector<CNServerNode> nodes = std::vector<CNServerNode>(2);
  uint32_t currentNode = 0;
  bool nodeRedundancy = false;

  // The SOAP/HTTP gateways, likewise.
  std::vector<std::u16string> httpServers = std::vector<std::u16string>(2);
  bool httpRedundancy = false;
  std::u16string httpUser;
  std::u16string httpPassword;

  bool loginMust = false;
  LoginMode loginStartup = kLoginNone;
  bool loginStartupError = false;
  LoginMode loginMenu = kLoginNone;
  int32_t loginScreen = 0;  // NORMAL, DISABLE_CANCEL, DISABLE_USERPWD, DISABLE_CANCEL_USERPWD
  std::u16string loginUser;
  std::u16string loginPassword;
  std::u16string loginComment;

  std::u16string filePath;
  std::u16string tagAccessPath;
  std::u16string tagDirectPathMark;
  int32_t tagUpdateRateMs = 0;
  bool tagDebug = false;
  int32_t userLevel = 0;

  int32_t bindWatchTime = 0;
};
