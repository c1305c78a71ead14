// The root's functions for the panel server's own services (reloading and saving its files,
// named reference counters, sending mail) and the two that reach other servers directly: mail
// through an SMTP server and an HTTP POST.
#include <array>
#include <string>

#include "comm/login_server.h"
#include "methods/common_methods.h"
#include "methods/method_args.h"
#include "methods/root_login_methods.h"
#include "support/utf16_text.h"

namespace {

// The most releases "ClearServerReferenceCounter" sends, whatever count the server tells.
constexpr uint32_t kMaxReleases = 65536;

// "ReloadServer"(): the panel server reads its project files again.
bool ReloadServer(CMethodCall& call) {
  if (call.Count() != 0) return false;
  CNPLoginServer* server = ReachLoginServer(call);
  call.result.SetBool(server && server->ReloadServer());
  return true;
}

// "SaveServerFile"([name]): the panel server saves its files (the one named, or all).
bool SaveServerFile(CMethodCall& call) {
  if (call.Count() > 1) return false;
  CNPLoginServer* server = ReachLoginServer(call);
  call.result.SetBool(server &&
                      server->SaveServerFile(call.Count() ? ArgText(call.Arg(0)) : std::u16string()));
  return true;
}

// "AddServerReferenceCounter"(name): counts one more reference to name on the server.
bool AddServerReferenceCounter(CMethodCall& call) {
  if (call.Count() != 1) return false;
  CNPLoginServer* server = ReachLoginServer(call);
  call.result.SetBool(server && server->AddReferenceCounter(ArgText(call.Arg(0)), {}));
  return true;
}

// "ReleaseServerReferenceCounter"(name): counts one reference less; false when none is held.
bool ReleaseServerReferenceCounter(CMethodCall& call) {
  if (call.Count() != 1) return false;
  CNPLoginServer* server = ReachLoginServer(call);
  call.result.SetBool(server && server->ReleaseReferenceCounter(ArgText(call.Arg(0))));
  return true;
}

// "GetServerReferenceCounter"(name): the number of references to name; no value when the
// server cannot tell.
bool GetServerReferenceCounter(CMethodCall& call) {
  if (call.Count() != 1) return false;
  CNPLoginServer* server = ReachLoginServer(call);
  CNServiceAnswer answer;
  if (server && server->GetReferenceCounter(ArgText(call.Arg(0)), answer))
    AnswerNumber(answer, 0, call.result);
  return true;
}

// "ClearServerReferenceCounter"(name): releases every reference to name the server counts.
// True when none is left.
bool ClearServerReferenceCounter(CMethodCall& call) {
  if (call.Count() != 1) return false;
  call.result.SetBool(false);
  const std::u16string name = ArgText(call.Arg(0));
  CNPLoginServer* server = ReachLoginServer(call);
  CNServiceAnswer answer;
  uint32_t count = 0;
  if (!server || !server->GetReferenceCounter(name, answer)) return true;
  if (!answer.GetU32(0, count)) {
    SetLoginError(kInvalidAnswer);
    return true;
  }
  if (count > kMaxReleases) {
    SetLoginError(u"Too many references to clear.");
    return true;
  }
  for (uint32_t i = 0; i < count; ++i)
    if (!server->ReleaseReferenceCounter(name)) return true;
  call.result.SetBool(true);
  return true;
}

// A text argument, a list's elements joined with ",".
std::u16string JoinedText(const CNValue& arg) {
  if (arg.GetCount() <= 1) return ArgText(arg);
  std::u16string text;
  for (uint32_t i = 0; i < arg.GetCount(); ++i) text += (i ? u"," : u"") + arg.GetTextEmptyNA(i);
  return text;
}

// "SendMail"(server, port, from, to, subject, body[, user[, password]]): the panel server
// sends the mail, through the SMTP server named as "SendMailDirect" would. The arguments go to
// the server's mail service in this order: the first six as its first six texts (a list of
// recipients joined with ","), user and password as the first two of its other texts; its byte
// blocks and the other texts stay empty. True when the server took the mail.
bool SendMail(CMethodCall& call) {
  if (!ArgCountIn(call, 6, 8)) return false;
  std::array<std::u16string, 8> texts;
  for (size_t i = 0; i < call.Count(); ++i)
    texts[i] = i == 3 ? JoinedText(call.Arg(i)) : ArgText(call.Arg(i));
  CNMailArguments mail;
  for (size_t i = 0; i < 6; ++i) mail.firstTexts[i] = texts[i];
  mail.secondTexts[0] = texts[6];
  mail.secondTexts[1] = texts[7];
  CNPLoginServer* server = ReachLoginServer(call);
  call.result.SetBool(server && server->SendMail(mail));
  return true;
}

// "HTTPPost"(url, body[, content type]): posts the body (UTF-8; a list's elements one per
// line) with the content type (default "application/x-www-form-urlencoded"); the body of a
// successful (2xx) answer, no value otherwise.
bool HttpPost(CMethodCall& call) {
  if (!ArgCountIn(call, 2, 3)) return false;
  const std::string type =
      call.Count() > 2 ? Utf16ToUtf8(ArgText(call.Arg(2))) : std::string("application/x-www-form-urlencoded");
  if (type.find_first_of("\r\n") != std::string::npos) return true;
  const CommonHttpRequest request{"POST",
                                  Utf16ToUtf8(ArgText(call.Arg(0))),
                                  {"Content-Type: " + type},
                                  Utf16ToUtf8(ElementLinesText(call.Arg(1)))};
  std::string body;
  long status = 0;
  if (PerformHttpRequest(request, body, status) && status >= 200 && status <= 299)
    SetHttpAnswerText(call.result, body);
  return true;
}

constexpr std::array kServiceMethods = {
    MethodEntry{u"ReloadServer", "Makes the panel server read its project files again", &ReloadServer},
    MethodEntry{u"SaveServerFile", "Makes the panel server save its files", &SaveServerFile},
    MethodEntry{u"AddServerReferenceCounter", "Counts one more reference to a name on the server",
                &AddServerReferenceCounter},
    MethodEntry{u"ReleaseServerReferenceCounter", "Counts one reference less to a name on the server",
                &ReleaseServerReferenceCounter},
    MethodEntry{u"ClearServerReferenceCounter", "Releases every reference to a name on the server",
                &ClearServerReferenceCounter},
    MethodEntry{u"GetServerReferenceCounter", "The number of references to a name on the server",
                &GetServerReferenceCounter},
    GuardedMethod(u"SendMail", "Has the panel server send a mail", &SendMail, CapabilityFamily::kNetwork, 6,
                  8),
    GuardedMethod(u"SendMailDirect", "Sends a mail straight through an SMTP server", &SendMailBySmtp,
                  CapabilityFamily::kNetwork, 6, 8),
    GuardedMethod(u"HTTPPost", "Posts a body over HTTP and answers a successful reply's body", &HttpPost,
                  CapabilityFamily::kNetwork, 2, 3, MethodFailure::kNothing),
};

}  // namespace

std::span<const MethodEntry> RootServerServiceMethods() {
  return kServiceMethods;
}
