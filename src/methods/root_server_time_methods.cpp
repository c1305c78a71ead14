// The root's clock functions: the panel server's clock through the login service, and this
// computer's clock. Their failures are reported by "GetTimeLastError".
#include <array>
#include <atomic>
#include <cerrno>
#include <mutex>
#include <string>
#include <system_error>

#include "comm/login_server.h"
#include "methods/method_args.h"
#include "methods/root_login_methods.h"
#include "support/utf16_text.h"

namespace {

std::mutex s_timeErrorLock;
std::u16string s_timeError;  // under s_timeErrorLock

std::atomic<ClientClockSetter> s_clockSetter{nullptr};

void SetTimeError(std::u16string_view text) {
  std::lock_guard<std::mutex> guard(s_timeErrorLock);
  s_timeError = text;
}

// After a call to the server: its failure text, or none.
void TakeServerTimeError(CMethodCall& call, bool done) {
  SetTimeError(done ? std::u16string() : LoginLastError(call));
}

int SetRealClock(const timespec& time) {
  return ::clock_settime(CLOCK_REALTIME, &time) == 0 ? 0 : errno;
}

// The time argument: a time, or a text that reads as one; false for anything before 1970 or
// that is no time at all.
bool ArgTime(const CNValue& arg, FileTime& time) {
  time = arg.GetCount() ? arg.GetTime(0) : 0;
  if (time >= kUnixEpochTicks) return true;
  SetTimeError(u"Invalid time.");
  return false;
}

// "GetServerTime"(): the panel server's clock; no value when it cannot be read.
bool GetServerTime(CMethodCall& call) {
  if (call.Count() != 0) return false;
  CNPLoginServer* server = ReachLoginServer(call);
  FileTime time = 0;
  const bool done = server && server->GetServerTime(time);
  TakeServerTimeError(call, done);
  if (done) call.result.SetTime(time);
  return true;
}

// "SetServerTime"(time): sets the panel server's clock.
bool SetServerTime(CMethodCall& call) {
  if (call.Count() != 1) return false;
  call.result.SetBool(false);
  FileTime time = 0;
  if (!ArgTime(call.Arg(0), time)) return true;
  std::array<uint8_t, 8> wire;  // FILETIME, little-endian
  for (size_t i = 0; i < wire.size(); ++i) wire[i] = static_cast<uint8_t>(time >> (8 * i));
  CNPLoginServer* server = ReachLoginServer(call);
  const bool done = server && server->SetServerTime(wire);
  TakeServerTimeError(call, done);
  call.result.SetBool(done);
  return true;
}

// "SetClientTime"(time): sets this computer's clock, which needs the right to do so (on Linux
// the capability CAP_SYS_TIME); false without it.
bool SetClientTime(CMethodCall& call) {
  if (call.Count() != 1) return false;
  call.result.SetBool(false);
  FileTime time = 0;
  if (!ArgTime(call.Arg(0), time)) return true;
  const FileTime sinceEpoch = time - kUnixEpochTicks;
  const timespec wanted{static_cast<time_t>(sinceEpoch / kTicksPerSecond),
                        static_cast<long>(sinceEpoch % kTicksPerSecond * 100)};
  const ClientClockSetter setter = s_clockSetter.load();
  const int error = setter ? setter(wanted) : SetRealClock(wanted);
  if (error == EPERM)
    SetTimeError(u"Not permitted to set the computer's clock.");
  else if (error != 0)
    SetTimeError(u"Fail to set the computer's clock. " + Utf8ToUtf16(std::generic_category().message(error)));
  else
    SetTimeError({});
  call.result.SetBool(error == 0);
  return true;
}

// "GetTimeLastError"(): why the newest of the clock functions failed ("" when it did not).
bool GetTimeLastError(CMethodCall& call) {
  if (call.Count() != 0) return false;
  std::lock_guard<std::mutex> guard(s_timeErrorLock);
  call.result.SetString(s_timeError);
  return true;
}

constexpr std::array kTimeMethods = {
    MethodEntry{u"GetServerTime", "The panel server's clock", &GetServerTime},
    MethodEntry{u"SetServerTime", "Sets the panel server's clock", &SetServerTime},
    GuardedMethod(u"SetClientTime", "Sets this computer's clock", &SetClientTime, CapabilityFamily::kOs, 1,
                  1),
    MethodEntry{u"GetTimeLastError", "Why the latest clock function failed", &GetTimeLastError},
};

}  // namespace

void SetClientClockSetter(ClientClockSetter setter) {
  s_clockSetter.store(setter);
}

std::span<const MethodEntry> RootServerTimeMethods() {
  return kTimeMethods;
}
