// The root's functions for the panel server's structure tags, their snapshots (kept on the
// server by name), tag searches and related information. The arguments go to the server's
// command of the same name in the order its arguments have; a byte-block argument of a command
// (an option word, a row number or count) is a whole number here, sent as 4 little-endian
// bytes, and an option word that is left out goes as an empty block. What the texts and values
// select is the panel server's business.
#include <array>
#include <optional>
#include <string>

#include "comm/login_server.h"
#include "methods/method_args.h"
#include "methods/root_login_methods.h"

namespace {

// A whole-number argument as a byte block: 4 little-endian bytes, or none.
class CountBlock {
 public:
  explicit CountBlock(std::optional<uint32_t> number) : m_bHas(number.has_value()) {
    for (size_t i = 0; i < m_bytes.size(); ++i)
      m_bytes[i] = static_cast<uint8_t>(number.value_or(0) >> (8 * i));
  }
  operator CNBytes() const { return m_bHas ? CNBytes(m_bytes) : CNBytes(); }

 private:
  std::array<uint8_t, 4> m_bytes{};
  bool m_bHas;
};

const CNValue& Nothing() {
  static const CNValue s_nothing;
  return s_nothing;
}

// Argument i as a number, when the call has it.
std::optional<uint32_t> OptionalCount(const CMethodCall& call, size_t i) {
  return i < call.Count() ? std::optional<uint32_t>(ArgCount(call.Arg(i))) : std::nullopt;
}
uint32_t CountOr0(const CMethodCall& call, size_t i) {
  return OptionalCount(call, i).value_or(0);
}
std::u16string TextOrEmpty(const CMethodCall& call, size_t i) {
  return i < call.Count() ? ArgText(call.Arg(i)) : std::u16string();
}

// Runs a command that confirms: the result is whether it was done.
template <class Command>
bool Confirm(CMethodCall& call, Command&& command) {
  CNPLoginServer* server = ReachLoginServer(call);
  call.result.SetBool(server && command(*server));
  return true;
}

// Runs a command that fetches: the result is the answer's first argument (a value, or a text
// with asText), no value when the command failed.
template <class Command>
bool Fetch(CMethodCall& call, Command&& command, bool asText = false) {
  CNPLoginServer* server = ReachLoginServer(call);
  CNServiceAnswer answer;
  if (server && command(*server, answer))
    asText ? AnswerText(answer, 0, call.result) : AnswerValue(answer, 0, call.result);
  return true;
}

// "CreateSnapshotStructureTag", "CreateSnapshotStructureTagMember"(snapshot, name filter,
// structure, member filter[, condition[, options]]): the server takes a snapshot of the
// structure tags (or of their members) under the snapshot's name.
template <bool kMembers>
bool CreateSnapshot(CMethodCall& call) {
  if (!ArgCountIn(call, 4, 6)) return false;
  const CountBlock options(OptionalCount(call, 5));
  const std::u16string a = ArgText(call.Arg(0)), b = ArgText(call.Arg(1)), c = ArgText(call.Arg(2)),
                       d = ArgText(call.Arg(3));
  const CNValue& condition = ArgOr(call, 4, Nothing());
  return Confirm(call, [&](CNPLoginServer& server) {
    return kMembers ? server.CreateSnapshotStructureTagMember(options, a, b, c, d, condition)
                    : server.CreateSnapshotStructureTag(options, a, b, c, d, condition);
  });
}

// "SortSnapshotStructureTag", "SortSnapshotStructureTagMember"(snapshot, sort keys).
template <bool kMembers>
bool SortSnapshot(CMethodCall& call) {
  if (call.Count() != 2) return false;
  return Confirm(call, [&](CNPLoginServer& server) {
    return kMembers ? server.SortSnapshotStructureTagMember(call.Arg(0), call.Arg(1))
                    : server.SortSnapshotStructureTag(call.Arg(0), call.Arg(1));
  });
}

// "GetSnapshotStructureTagValue", "GetSnapshotStructureTagMemberValue"(snapshot[, first row[,
// row count]]): the snapshot's rows (first and count default to 0).
template <bool kMembers>
bool GetSnapshotValue(CMethodCall& call) {
  if (!ArgCountIn(call, 1, 3)) return false;
  const CountBlock first(CountOr0(call, 1));
  const CountBlock count(CountOr0(call, 2));
  return Fetch(call, [&](CNPLoginServer& server, CNServiceAnswer& answer) {
    return kMembers ? server.GetSnapshotStructureTagMemberValue(first, count, call.Arg(0), answer)
                    : server.GetSnapshotStructureTagValue(first, count, call.Arg(0), answer);
  });
}

// "FilterStructureTagName"(name filter[, structure[, member[, member filter[, options]]]]):
// the names of the structure tags the filter accepts.
bool FilterStructureTagName(CMethodCall& call) {
  if (!ArgCountIn(call, 1, 5)) return false;
  const CountBlock options(OptionalCount(call, 4));
  return Fetch(call, [&](CNPLoginServer& server, CNServiceAnswer& answer) {
    return server.FilterStructureTagName(options, TextOrEmpty(call, 0), TextOrEmpty(call, 1),
                                         TextOrEmpty(call, 2), TextOrEmpty(call, 3), answer);
  });
}

// "FilterStructureTagValue"(name filter, structure, member, member filter, value[, options]):
// the structure tags whose member matches the value.
bool FilterStructureTagValue(CMethodCall& call) {
  if (!ArgCountIn(call, 5, 6)) return false;
  const CountBlock options(OptionalCount(call, 5));
  return Fetch(call, [&](CNPLoginServer& server, CNServiceAnswer& answer) {
    return server.FilterStructureTagValue(options, ArgText(call.Arg(0)), ArgText(call.Arg(1)),
                                          ArgText(call.Arg(2)), ArgText(call.Arg(3)), call.Arg(4), answer);
  });
}

// "GetStructureMemberProperty"(member, property).
bool GetStructureMemberProperty(CMethodCall& call) {
  if (call.Count() != 2) return false;
  return Fetch(call, [&](CNPLoginServer& server, CNServiceAnswer& answer) {
    return server.GetStructureMemberProperty(ArgText(call.Arg(0)), call.Arg(1), answer);
  });
}

// "GetStructureTagValue"(tag[, member]): the value of a structure tag or of one of its members.
bool GetStructureTagValue(CMethodCall& call) {
  if (!ArgCountIn(call, 1, 2)) return false;
  return Fetch(call, [&](CNPLoginServer& server, CNServiceAnswer& answer) {
    return server.GetStructureTagValue(call.Arg(0), ArgOr(call, 1, Nothing()), answer);
  });
}

// "GetStructureTagBindScript"(tag): the bind script kept with the structure tag.
bool GetStructureTagBindScript(CMethodCall& call) {
  if (call.Count() != 1) return false;
  return Fetch(
      call,
      [&](CNPLoginServer& server, CNServiceAnswer& answer) {
        return server.GetStructureTagBindScript(call.Arg(0), answer);
      },
      true);
}

// "SetStructureTagBindScript"(tag, script).
bool SetStructureTagBindScript(CMethodCall& call) {
  if (call.Count() != 2) return false;
  return Confirm(call, [&](CNPLoginServer& server) {
    return server.SetStructureTagBindScript(call.Arg(0), call.Arg(1));
  });
}

// "GetDriverTagParam"(tag): the driver parameters of the tag, as a text.
bool GetDriverTagParam(CMethodCall& call) {
  if (call.Count() != 1) return false;
  return Fetch(
      call,
      [&](CNPLoginServer& server, CNServiceAnswer& answer) {
        return server.GetDriverTagParam(call.Arg(0), answer);
      },
      true);
}

// "GetChildTags"(parent[, filter[, first[, count[, option value[, option value]]]]]) and
// "SearchTags"(filter[, text[, first[, count[, option value[, option value]]]]]): tag names.
// first and count default to 0.
template <bool kChildren>
bool FindTags(CMethodCall& call) {
  if (!ArgCountIn(call, 1, 6)) return false;
  return Fetch(call, [&](CNPLoginServer& server, CNServiceAnswer& answer) {
    const uint32_t first = CountOr0(call, 2);
    const uint32_t count = CountOr0(call, 3);
    const std::u16string a = ArgText(call.Arg(0)), b = TextOrEmpty(call, 1);
    const CNValue& e = ArgOr(call, 4, Nothing());
    const CNValue& f = ArgOr(call, 5, Nothing());
    return kChildren ? server.GetChildTags(first, count, a, b, e, f, answer)
                     : server.SearchTags(first, count, a, b, e, f, answer);
  });
}

// "SearchRelatedInfo"(filter[, text[, first[, count[, option value]]]]).
bool SearchRelatedInfo(CMethodCall& call) {
  if (!ArgCountIn(call, 1, 5)) return false;
  return Fetch(call, [&](CNPLoginServer& server, CNServiceAnswer& answer) {
    return server.SearchRelatedInfo(CountOr0(call, 2), CountOr0(call, 3), ArgText(call.Arg(0)),
                                    TextOrEmpty(call, 1), ArgOr(call, 4, Nothing()), answer);
  });
}

// "GetRelatedInfo", "GetRelatedInfoModifiedTime"(name[, kind]): the login service has no
// command for these; they answer no value and say so ("SearchRelatedInfo" finds the entries).
bool GetRelatedInfo(CMethodCall& call) {
  if (!ArgCountIn(call, 1, 2)) return false;
  if (ReachLoginServer(call)) SetLoginError(u"The panel server offers no such service.");
  return true;
}

constexpr std::array kStructureMethods = {
    MethodEntry{u"CreateSnapshotStructureTag", "Has the server take a snapshot of structure tags",
                &CreateSnapshot<false>},
    MethodEntry{u"SortSnapshotStructureTag", "Sorts a structure tag snapshot", &SortSnapshot<false>},
    MethodEntry{u"GetSnapshotStructureTagValue", "The rows of a structure tag snapshot",
                &GetSnapshotValue<false>},
    MethodEntry{u"CreateSnapshotStructureTagMember",
                "Has the server take a snapshot of structure tag members", &CreateSnapshot<true>},
    MethodEntry{u"SortSnapshotStructureTagMember", "Sorts a structure tag member snapshot",
                &SortSnapshot<true>},
    MethodEntry{u"GetSnapshotStructureTagMemberValue", "The rows of a structure tag member snapshot",
                &GetSnapshotValue<true>},
    MethodEntry{u"FilterStructureTagName", "The names of the structure tags a filter accepts",
                &FilterStructureTagName},
    MethodEntry{u"FilterStructureTagValue", "The structure tags whose member matches a value",
                &FilterStructureTagValue},
    MethodEntry{u"GetStructureMemberProperty", "A property of a structure member",
                &GetStructureMemberProperty},
    MethodEntry{u"GetStructureTagValue", "The value of a structure tag or of one of its members",
                &GetStructureTagValue},
    MethodEntry{u"GetStructureTagBindScript", "The bind script kept with a structure tag",
                &GetStructureTagBindScript},
    MethodEntry{u"SetStructureTagBindScript", "Keeps a bind script with a structure tag",
                &SetStructureTagBindScript},
    MethodEntry{u"GetDriverTagParam", "The driver parameters of a tag", &GetDriverTagParam},
    MethodEntry{u"GetChildTags", "The names of the tags below a parent", &FindTags<true>},
    MethodEntry{u"SearchTags", "The names of the tags a filter finds", &FindTags<false>},
    MethodEntry{u"SearchRelatedInfo", "The related-information entries a filter finds", &SearchRelatedInfo},
    MethodEntry{u"GetRelatedInfo", "Related information of a name (the service has none: no value)",
                &GetRelatedInfo},
    MethodEntry{u"GetRelatedInfoModifiedTime",
                "When related information changed (the service has none: no value)", &GetRelatedInfo},
};

}  // namespace

std::span<const MethodEntry> RootServerStructureMethods() {
  return kStructureMethods;
}
