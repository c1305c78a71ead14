// "Login", "KeepAlive" and the user commands of the login server, with length-prefixed
// arguments.
#include "panel_server_sim/arg_reader.h"
#include "panel_server_sim/command_context.h"
#include "panel_server_sim/command_packet.h"
#include "panel_server_sim/user_table.h"

namespace panel_sim {

namespace {

// login := user, password [, project]
uint16_t HandleLogin(CommandContext& context) {
  ArgReader args(context.request);
  std::u16string user;
  std::u16string password;
  if (!args.ReadText(user) || !args.ReadText(password)) return kStatusBadArguments;
  if (context.server.faults.refuseLogin) {
    WriteConfirmation(context.plain, false, u"Login refused by the server.");
    return kStatusOk;
  }
  const std::optional<uint32_t> level = context.server.users.Check(user, password);
  if (!level) {
    context.connection.login.reset();
    WriteConfirmation(context.plain, false, u"Invalid user name or password.");
    return kStatusOk;
  }
  context.connection.login = LoginInfo{std::move(user), *level};
  context.plain.AddInt32(1);
  context.plain.AddInt32(*level);
  return kStatusOk;
}

uint16_t HandleKeepAlive(CommandContext& context) {
  const bool refused = context.server.faults.refuseKeepAlive;
  WriteConfirmation(context.plain, !refused, u"Keep-alive refused.");
  return kStatusOk;
}

// get_login_user := (nothing); answers the user logged in on this connection and the level
uint16_t HandleGetLoginUser(CommandContext& context) {
  const std::optional<LoginInfo>& login = context.connection.login;
  context.plain.AddText(login ? login->user : u"");
  context.plain.AddInt32(login ? login->level : 0);
  return kStatusOk;
}

// add_login_user := bytes (u16 count), count × (name, password, u32 level, u32 flags)
uint16_t HandleAddLoginUser(CommandContext& context) {
  ArgReader args(context.request);
  std::vector<uint8_t> countBytes;
  if (!args.ReadRaw(countBytes) || countBytes.size() != 2) return kStatusBadArguments;
  const uint32_t count = static_cast<uint32_t>(LittleEndian(countBytes));
  struct NewUser {
    std::u16string name;
    std::u16string password;
    uint32_t level = 0;
  };
  std::vector<NewUser> users;
  for (uint32_t i = 0; i < count; ++i) {
    NewUser user;
    uint32_t flags = 0;
    if (!args.ReadText(user.name) || !args.ReadText(user.password) || !args.ReadInt32(user.level) ||
        !args.ReadInt32(flags))
      return kStatusBadArguments;
    users.push_back(std::move(user));
  }
  for (const NewUser& user : users) context.server.users.Set(user.name, user.password, user.level);
  return ConfirmCommand(context);
}

// del_login_user := bytes, user
uint16_t HandleDelLoginUser(CommandContext& context) {
  ArgReader args(context.request);
  std::vector<uint8_t> options;
  std::u16string user;
  if (!args.ReadRaw(options) || !args.ReadText(user)) return kStatusBadArguments;
  WriteConfirmation(context.plain, context.server.users.Remove(user), u"No such user.");
  return kStatusOk;
}

// set_login_password := bytes, user, new password
uint16_t HandleSetLoginPassword(CommandContext& context) {
  ArgReader args(context.request);
  std::vector<uint8_t> options;
  std::u16string user;
  std::u16string password;
  if (!args.ReadRaw(options) || !args.ReadText(user) || !args.ReadText(password)) return kStatusBadArguments;
  WriteConfirmation(context.plain, context.server.users.SetPassword(user, password), u"No such user.");
  return kStatusOk;
}

constexpr CommandEntry kCommands[] = {
    {u"Login", HandleLogin},
    {u"KeepAlive", HandleKeepAlive},
    {u"GetLoginUser", HandleGetLoginUser},
    {u"AddLoginUser", HandleAddLoginUser},
    {u"DelLoginUser", HandleDelLoginUser},
    {u"SetLoginPassword", HandleSetLoginPassword},
};

}  // namespace

std::span<const CommandEntry> LoginCommands() { return kCommands; }

}  // namespace panel_sim
