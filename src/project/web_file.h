#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// HTTP GET of whole files: project documents and the files a web project names.

// Asks the operator for credentials when a server answers 401. The host installs its dialog;
// without one (headless runs) nobody is asked and the 401 stands.
class CNWebCredentialsPrompt {
 public:
  virtual ~CNWebCredentialsPrompt() = default;
  // True to send the request again with user and password.
  virtual bool Ask(std::string_view url, std::string& user, std::string& password) = 0;

  // The process-wide prompt (null when none); SetCurrent returns the previous one. The caller
  // keeps the prompt alive while it is current.
  static CNWebCredentialsPrompt* GetCurrent();
  static CNWebCredentialsPrompt* SetCurrent(CNWebCredentialsPrompt* prompt);
};

struct CNWebFileOptions {
  size_t maxBytes = 0;  // a larger body is refused
  uint32_t connectTimeoutMs = 30000;
  // A transfer that moves no byte for this long is abandoned.
  uint32_t stallTimeoutMs = 60000;
};

// The agent name and the headers every request carries.
inline constexpr std::string_view kWebAgent = "CVeltrixBrowserCtrl";

// Fetches url into body. Only http:// addresses are taken ("Cannot work with 'file' protocol"
// for file://, "Error: can only use URLs beginning with http://" for the rest). The request
// reuses a kept-alive connection and follows no redirect by itself: a 401 is sent again with
// the credentials the same server last accepted in this process, then for as long as the
// credentials prompt asks for it, and one 301, 302 or 303 is followed to its Location. Any final status but 2xx, a transfer error or a body above maxBytes gives false,
// with error telling why, and an empty body.
bool GetWebFile(const std::string& url, std::vector<uint8_t>& body, std::string& error,
                const CNWebFileOptions& options);
