#pragma once

// What the root's login and server functions share: the login service a call reaches, the
// last-error texts of "GetLoginLastError" and "GetTimeLastError", and the readers of the
// server's answers.

#include <ctime>
#include <span>
#include <string>
#include <string_view>

#include "script/method_table.h"

class CNConnectionSettings;
class CNPLoginServer;
class CNServiceAnswer;
class CNValue;

// The parts of RootLoginMethods().
std::span<const MethodEntry> RootLoginSessionMethods();     // login, logout, users
std::span<const MethodEntry> RootServerTimeMethods();       // the server's and this computer's clock
std::span<const MethodEntry> RootServerServiceMethods();    // reload, save, reference counters, mail, HTTP
std::span<const MethodEntry> RootServerStructureMethods();  // structure tags, snapshots, tag searches
std::span<const MethodEntry> RootServerFileMethods();       // files on the server

inline constexpr std::u16string_view kNoLoginServer = u"No login server.";
inline constexpr std::u16string_view kInvalidAnswer = u"Receive invalid packet.";

// The login service the call's host offers. Null when it has none: then the call's login
// error becomes kNoLoginServer. Otherwise the login errors of earlier calls are forgotten, so
// that the service's own last error is the one reported. settings and ownerId (when given)
// receive what a login uses; a host that offers a service without settings offers none.
CNPLoginServer* ReachLoginServer(CMethodCall& call, CNConnectionSettings** settings = nullptr,
                                 uint32_t* ownerId = nullptr);
// A failure found before or after the service was asked ("GetLoginLastError" reports it until
// the service is reached again).
void SetLoginError(std::u16string_view text);
// "GetLoginLastError": the newest failure of the login and server functions.
std::u16string LoginLastError(CMethodCall& call);

// The answer's argument i as the result: a value, a text or a 32-bit number. False, with the
// result left alone and kInvalidAnswer as the login error, when the argument has another form.
bool AnswerValue(const CNServiceAnswer& answer, uint32_t i, CNValue& result);
bool AnswerText(const CNServiceAnswer& answer, uint32_t i, CNValue& result);
bool AnswerNumber(const CNServiceAnswer& answer, uint32_t i, CNValue& result);

// How "SetClientTime" sets this computer's clock: 0 when set, else an errno value. The default
// is clock_settime(CLOCK_REALTIME), which only a process allowed to set the clock may do;
// null restores it.
using ClientClockSetter = int (*)(const timespec& time);
void SetClientClockSetter(ClientClockSetter setter);
