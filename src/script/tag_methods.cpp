#include "script/tag_methods.h"

#include "script/method_args.h"
#include "tags/tag_server.h"

namespace {

// A tag held for the length of one call. Calls never listen to their tags.
class CallTag {
 public:
  CallTag(CNPTagServer& server, std::u16string_view name)
      : m_server(server), m_pTag(server.GetTag(name, 0, &s_quiet)) {}
  CallTag(const CallTag&) = delete;
  CallTag& operator=(const CallTag&) = delete;
  ~CallTag() {
    if (m_pTag) m_server.ReleaseTag(m_pTag, &s_quiet);
  }

  explicit operator bool() const { return m_pTag != nullptr; }

  // The current value; a link tag that has received nothing yet is read from its server.
  CRPtr<CNValue> Value() const {
    CRPtr<CNValue> value = m_server.GetValue(m_pTag, 0, nullptr);
    if (m_pTag->GetKind() == kTagLink && value->GetCount() == 0) value = m_server.GetValue(m_pTag, 1, nullptr);
    return value;
  }
  bool Write(const CNValue& value) const { return m_server.SetValue(m_pTag, value); }

 private:
  static inline CNPTagServerConnectionPoint s_quiet;
  CNPTagServer& m_server;
  CNPTag* m_pTag;
};

}  // namespace

bool GetTagValue(CMethodCall& call) {
  CNPTagServer* server = call.host.GetTagServer();
  if (!server || call.Count() != 1) return false;
  const CNValue& names = call.Arg(0);
  if (names.GetCount() <= 1) {
    CallTag tag(*server, ArgText(names));
    if (tag) call.result.Assign(*tag.Value());
    return true;
  }
  ForEachElement(call.result, names, [&](CNValue& result, uint32_t i, const ValueElement&) {
    CallTag tag(*server, names.GetText(i));
    if (!tag) return;
    const CRPtr<CNValue> value = tag.Value();
    if (value->GetCount() != 0) result.CopyElementAt(i, *value, 0);
  });
  return true;
}

bool WriteTagValue(CMethodCall& call) {
  CNPTagServer* server = call.host.GetTagServer();
  if (!server || call.Count() != 2) return false;
  CallTag tag(*server, ArgText(call.Arg(0)));
  call.result.SetBool(tag && tag.Write(call.Arg(1)));
  return true;
}
