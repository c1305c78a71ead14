#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "values/value.h"
#include "values/value_element.h"

#include "script/method_table.h"

// The common functions by concern; CommonMethods() puts them together.
std::span<const MethodEntry> CommonConversionMethods();  // numbers, colours, codes, literals
std::span<const MethodEntry> CommonTextMethods();        // texts and lists of texts
std::span<const MethodEntry> CommonTimeMethods();        // times, time zones and time formats
std::span<const MethodEntry> CommonValueMethods();       // shapes, kinds, qualities, sets
std::span<const MethodEntry> CommonTableMethods();       // rows of two-dimensional values
std::span<const MethodEntry> CommonFileMethods();        // files, folders, the computer
std::span<const MethodEntry> CommonSystemMethods();      // message boxes, other programs
std::span<const MethodEntry> CommonLocaleMethods();      // the regional settings
std::span<const MethodEntry> CommonHostMethods();        // display, clipboard, folder chooser, settings store
std::span<const MethodEntry> CommonFileDataMethods();    // encrypted copies of files, saved print texts
std::span<const MethodEntry> CommonNetworkMethods();     // mail, wake-on-LAN, HTTP and SOAP requests

// The texts of a value's elements, one per line ("\n" between them); "" for the empty value.
std::u16string ElementLinesText(const CNValue& value);

// Limits of the network functions: a request that gets no connection within connectTimeoutMs,
// takes longer than timeoutMs as a whole, or brings an answer longer than maxAnswerBytes fails.
// Process-wide; the defaults keep a request well inside the time one script run may take.
struct CommonNetworkLimits {
  uint32_t connectTimeoutMs = 3000;
  uint32_t timeoutMs = 8000;
  size_t maxAnswerBytes = size_t{16} << 20;  // the longest text a script works with
};
void SetCommonNetworkLimits(const CommonNetworkLimits& limits);
CommonNetworkLimits GetCommonNetworkLimits();

// One HTTP request of the network functions.
struct CommonHttpRequest {
  std::string method;  // "GET", "POST", ...
  std::string url;
  std::vector<std::string> headers;  // "Name: value"
  std::string body;
};
// Sends the request (http and https only, one redirect followed) and reads the answer's body
// and status. False when no whole answer came within the network limits.
bool PerformHttpRequest(const CommonHttpRequest& request, std::string& body, long& status);
// An answer's body as the result text: UTF-8, a byte-order mark dropped.
void SetHttpAnswerText(CNValue& result, std::string_view body);

// "SendMail"(server, port, from, to, subject, body[, user[, password]]): sends a plain-text
// mail through the SMTP server (port 0: 25; port 465 or a server written "smtps://..." with
// TLS from the start, otherwise STARTTLS when the server offers it). to is a list or a text of
// addresses separated by "," or ";". True when the server took the mail.
bool SendMailBySmtp(CMethodCall& call);

// The printf-style text of one conversion such as "%5.2f", "%d", "%X" or "%s" applied to an
// element; texts outside a conversion are copied, "%%" gives "%".
std::u16string PrintfText(std::u16string_view format, std::span<const ValueElement* const> elements);
