// The server services of the login stub: each builds its command's length-prefixed arguments in
// the order the command defines and runs it through Fetch or Confirm.
#include <limits>

#include "comm/login_stub.h"

namespace {

bool Add(CNDAPacketCreator& args, std::u16string_view text) {
  return args.AddText(text);
}
bool Add(CNDAPacketCreator& args, uint32_t v) {
  return args.AddInt32(v);
}
bool Add(CNDAPacketCreator& args, const CNValue& value) {
  return args.AddValue(value);
}
bool Add(CNDAPacketCreator& args, CNBytes bytes) {
  static constexpr uint8_t kNothing = 0;
  return bytes.size() <= std::numeric_limits<uint32_t>::max() &&
         args.AddBytes(bytes.empty() ? &kNothing : bytes.data(), static_cast<uint32_t>(bytes.size()));
}
template <class T, size_t N>
bool Add(CNDAPacketCreator& args, const std::array<T, N>& items) {
  for (const T& item : items)
    if (!Add(args, item)) return false;
  return true;
}

// The writer of a command's arguments; it refers to them, so it must be used at once.
template <class... Args>
auto Arguments(const Args&... items) {
  return [&items...](CNDAPacketCreator& args) { return (Add(args, items) && ...); };
}

}  // namespace

bool CNLoginStub::Fetch(std::u16string_view command, const ArgumentWriter& arguments,
                        CNServiceAnswer& answer) {
  std::lock_guard<CRCriticalHandle> guard(*this);
  answer.Clear();
  if (!m_bWanted) {
    m_strLastError = u"Not logined.";
    return false;
  }
  if (!LoginTransaction(false)) return false;
  const ClientResult result = Transact(command, arguments, answer);
  if (!result.Succeeded()) {
    m_strLastError = result.message;
    return false;
  }
  return true;
}

bool CNLoginStub::Confirm(std::u16string_view command, const ArgumentWriter& arguments) {
  std::lock_guard<CRCriticalHandle> guard(*this);
  CNServiceAnswer answer;
  if (!Fetch(command, arguments, answer)) return false;
  // confirmation := ok, (ok ? nothing : error text)
  uint32_t ok = 0;
  if (!answer.GetU32(0, ok)) {
    m_strLastError = u"Receive invalid packet.";
    return false;
  }
  if (ok != 0) return true;
  m_strLastError.clear();
  answer.GetText(1, m_strLastError);
  return false;
}

bool CNLoginStub::GetServerTime(FileTime& time) {
  std::lock_guard<CRCriticalHandle> guard(*this);
  CNServiceAnswer answer;
  if (!Fetch(u"GetServerTime", {}, answer)) return false;
  if (answer.GetU64(0, time)) return true;
  m_strLastError = u"Receive invalid packet.";
  return false;
}

bool CNLoginStub::SetServerTime(CNBytes time) {
  return Confirm(u"SetServerTime", Arguments(time));
}
bool CNLoginStub::ReloadServer() {
  return Confirm(u"ReloadServer");
}
bool CNLoginStub::SaveServerFile(std::u16string_view name) {
  return Confirm(u"SaveServerFile", Arguments(name));
}
bool CNLoginStub::GetLoginUser(CNServiceAnswer& answer) {
  return Fetch(u"GetLoginUser", {}, answer);
}

// add_login_user := u16 count (a 2-byte block), count × (name, password, u32 level, u32 flags)
bool CNLoginStub::AddLoginUser(std::span<const CNLoginUserEntry> users) {
  const uint8_t count[2] = {static_cast<uint8_t>(users.size()), static_cast<uint8_t>(users.size() >> 8)};
  return Confirm(u"AddLoginUser", [&](CNDAPacketCreator& args) {
    // More users than the count can tell make a request too large to send.
    if (users.size() > std::numeric_limits<uint16_t>::max() || !Add(args, CNBytes(count))) return false;
    for (const CNLoginUserEntry& user : users)
      if (!Arguments(user.name, user.password, user.level, user.flags)(args)) return false;
    return true;
  });
}

bool CNLoginStub::DelLoginUser(CNBytes options, std::u16string_view user) {
  return Confirm(u"DelLoginUser", Arguments(options, user));
}
bool CNLoginStub::SetLoginPassword(CNBytes options, std::u16string_view user, std::u16string_view password) {
  return Confirm(u"SetLoginPassword", Arguments(options, user, password));
}
bool CNLoginStub::AddReferenceCounter(std::u16string_view name, CNBytes options) {
  return Confirm(u"AddReferenceCounter", Arguments(name, options));
}
bool CNLoginStub::SendMail(const CNMailArguments& mail) {
  return Confirm(u"SendMail",
                 Arguments(mail.firstTexts, mail.firstBlocks, mail.secondTexts, mail.secondBlocks));
}
bool CNLoginStub::ReleaseReferenceCounter(std::u16string_view name) {
  return Confirm(u"ReleaseReferenceCounter", Arguments(name));
}
bool CNLoginStub::GetReferenceCounter(std::u16string_view name, CNServiceAnswer& answer) {
  return Fetch(u"GetReferenceCounter", Arguments(name), answer);
}
bool CNLoginStub::CreateSnapshotStructureTag(CNBytes options, std::u16string_view a, std::u16string_view b,
                                             std::u16string_view c, std::u16string_view d,
                                             const CNValue& value) {
  return Confirm(u"CreateSnapshotStructureTag", Arguments(options, a, b, c, d, value));
}
bool CNLoginStub::SortSnapshotStructureTag(const CNValue& a, const CNValue& b) {
  return Confirm(u"SortSnapshotStructureTag", Arguments(a, b));
}
bool CNLoginStub::GetSnapshotStructureTagValue(CNBytes a, CNBytes b, const CNValue& value,
                                               CNServiceAnswer& answer) {
  return Fetch(u"GetSnapshotStructureTagValue", Arguments(a, b, value), answer);
}
bool CNLoginStub::CreateSnapshotStructureTagMember(CNBytes options, std::u16string_view a,
                                                   std::u16string_view b, std::u16string_view c,
                                                   std::u16string_view d, const CNValue& value) {
  return Confirm(u"CreateSnapshotStructureTagMember", Arguments(options, a, b, c, d, value));
}
bool CNLoginStub::SortSnapshotStructureTagMember(const CNValue& a, const CNValue& b) {
  return Confirm(u"SortSnapshotStructureTagMember", Arguments(a, b));
}
bool CNLoginStub::GetSnapshotStructureTagMemberValue(CNBytes a, CNBytes b, const CNValue& value,
                                                     CNServiceAnswer& answer) {
  return Fetch(u"GetSnapshotStructureTagMemberValue", Arguments(a, b, value), answer);
}
bool CNLoginStub::FilterStructureTagName(CNBytes options, std::u16string_view a, std::u16string_view b,
                                         std::u16string_view c, std::u16string_view d,
                                         CNServiceAnswer& answer) {
  return Fetch(u"FilterStructureTagName", Arguments(options, a, b, c, d), answer);
}
bool CNLoginStub::FilterStructureTagValue(CNBytes options, std::u16string_view a, std::u16string_view b,
                                          std::u16string_view c, std::u16string_view d, const CNValue& value,
                                          CNServiceAnswer& answer) {
  return Fetch(u"FilterStructureTagValue", Arguments(options, a, b, c, d, value), answer);
}
bool CNLoginStub::GetStructureMemberProperty(std::u16string_view name, const CNValue& value,
                                             CNServiceAnswer& answer) {
  return Fetch(u"GetStructureMemberProperty", Arguments(name, value), answer);
}
bool CNLoginStub::GetStructureTagValue(const CNValue& a, const CNValue& b, CNServiceAnswer& answer) {
  return Fetch(u"GetStructureTagValue", Arguments(a, b), answer);
}
bool CNLoginStub::GetStructureTagBindScript(const CNValue& value, CNServiceAnswer& answer) {
  return Fetch(u"GetStructureTagBindScript", Arguments(value), answer);
}
bool CNLoginStub::SetStructureTagBindScript(const CNValue& a, const CNValue& b) {
  return Confirm(u"SetStructureTagBindScript", Arguments(a, b));
}
bool CNLoginStub::GetDriverTagParam(const CNValue& value, CNServiceAnswer& answer) {
  return Fetch(u"GetDriverTagParam", Arguments(value), answer);
}
bool CNLoginStub::GetChildTags(uint32_t a, uint32_t b, std::u16string_view c, std::u16string_view d,
                               const CNValue& e, const CNValue& f, CNServiceAnswer& answer) {
  return Fetch(u"GetChildTags", Arguments(a, b, c, d, e, f), answer);
}
bool CNLoginStub::SearchTags(uint32_t a, uint32_t b, std::u16string_view c, std::u16string_view d,
                             const CNValue& e, const CNValue& f, CNServiceAnswer& answer) {
  return Fetch(u"SearchTags", Arguments(a, b, c, d, e, f), answer);
}
bool CNLoginStub::SearchRelatedInfo(uint32_t a, uint32_t b, std::u16string_view c, std::u16string_view d,
                                    const CNValue& e, CNServiceAnswer& answer) {
  return Fetch(u"SearchRelatedInfo", Arguments(a, b, c, d, e), answer);
}
bool CNLoginStub::GetServerVersion(CNServiceAnswer& answer) {
  return Fetch(u"GetServerVersion", {}, answer);
}
bool CNLoginStub::GetLatestBrowser(std::u16string_view name, CNServiceAnswer& answer) {
  return Fetch(u"GetLatestBrowser", Arguments(name), answer);
}
bool CNLoginStub::GetBrowserFile(std::u16string_view name, uint32_t a, CNBytes b, CNServiceAnswer& answer) {
  return Fetch(u"GetBrowserFile", Arguments(name, a, b), answer);
}
bool CNLoginStub::GetDirectLoginProjectInfo(CNServiceAnswer& answer) {
  return Fetch(u"GetDirectLoginProjectInfo", {}, answer);
}
bool CNLoginStub::SendFile(std::u16string_view folder, std::u16string_view name, CNBytes data,
                           CNBytes options) {
  return Confirm(u"SendFile", Arguments(folder, name, data, options));
}
bool CNLoginStub::ReceiveFile(std::u16string_view folder, std::u16string_view name, CNServiceAnswer& answer) {
  return Fetch(u"ReceiveFile", Arguments(folder, name), answer);
}
bool CNLoginStub::ServerBrowseFolder(std::u16string_view folder, std::u16string_view a, std::u16string_view b,
                                     CNServiceAnswer& answer) {
  return Fetch(u"ServerBrowseFolder", Arguments(folder, a, b), answer);
}
bool CNLoginStub::ServerDeleteFile(std::u16string_view folder, std::u16string_view name) {
  return Confirm(u"ServerDeleteFile", Arguments(folder, name));
}
bool CNLoginStub::ServerDeleteFolder(std::u16string_view folder, std::u16string_view a) {
  return Confirm(u"ServerDeleteFolder", Arguments(folder, a));
}
bool CNLoginStub::GetActionNames(std::u16string_view a, std::u16string_view b, CNServiceAnswer& answer) {
  return Fetch(u"GetActionNames", Arguments(a, b), answer);
}
bool CNLoginStub::Test(const CNValue& value, CNServiceAnswer& answer) {
  return Fetch(u"Test", Arguments(value), answer);
}
