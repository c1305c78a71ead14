#include "methods/tag_methods.h"

#include <vector>

#include "methods/method_args.h"
#include "tags/tag_server.h"

namespace {

// The tags named by an argument of names, held for the length of one call; a name that gives no
// tag holds null. Calls never listen to their tags.
class CallTags {
 public:
  CallTags(CNPTagServer& server, const CNValue& names) : m_server(server) {
    for (const std::u16string& name : ArgNames(names)) {
      m_tags.push_back(m_server.GetTag(name, 0, &s_quiet));
      if (m_tags.back()) m_found.push_back(m_tags.back());
    }
  }
  CallTags(const CallTags&) = delete;
  CallTags& operator=(const CallTags&) = delete;
  ~CallTags() {
    for (CNPTag* tag : m_tags)
      if (tag) m_server.ReleaseTag(tag, &s_quiet);
  }

  // Tag i of the names; null when its name gave none.
  CNPTag* operator[](size_t i) const { return m_tags[i]; }
  // The tags that exist, in name order.
  const std::vector<CNPTag*>& Found() const { return m_found; }
  bool AllFound() const { return m_found.size() == m_tags.size(); }

  // The current value of tag i; a link tag that has received nothing yet is read from its
  // server.
  CRPtr<CNValue> Value(size_t i) const {
    CRPtr<CNValue> value = m_server.GetValue(m_tags[i], 0, nullptr);
    if (m_tags[i]->GetKind() == kTagLink && value->GetCount() == 0)
      value = m_server.GetValue(m_tags[i], 1, nullptr);
    return value;
  }

 private:
  static inline CNPTagServerConnectionPoint s_quiet;
  CNPTagServer& m_server;
  std::vector<CNPTag*> m_tags;
  std::vector<CNPTag*> m_found;
};

// The read mode argument i, 1 when absent: a whole number from 0 to 255, else 0.
uint32_t ReadModeArg(const CMethodCall& call, size_t i) {
  if (i >= call.Count()) return 1;
  const uint32_t mode = ArgCount(call.Arg(i));
  return mode <= 255 ? mode : 0;
}

// Sets the result to the values of the tags named by argument 0, read with readMode first
// (0: not read).
void AnswerValues(CMethodCall& call, CNPTagServer& server, uint32_t readMode) {
  const CNValue& names = call.Arg(0);
  CallTags tags(server, names);
  if (readMode != 0) server.Read(tags.Found(), readMode);
  if (names.GetCount() <= 1) {
    if (tags[0]) call.result.Assign(*tags.Value(0));
    return;
  }
  ForEachElement(call.result, names, [&](CNValue& result, uint32_t i, const ValueElement&) {
    if (!tags[i]) return;
    const CRPtr<CNValue> value = tags.Value(i);
    if (value->GetCount() != 0) result.CopyElementAt(i, *value, 0);
  });
}

bool ReadTags(CNPTagServer& server, const CNValue& names, uint32_t readMode) {
  CallTags tags(server, names);
  return server.Read(tags.Found(), readMode) && tags.AllFound();
}

bool WriteTags(CNPTagServer& server, const CNValue& names, const CNValue& values) {
  CallTags tags(server, names);
  std::vector<CNValue> written;
  if (names.GetCount() <= 1) {
    if (tags[0]) written.emplace_back().Assign(values);
  } else {
    for (uint32_t i = 0; i < names.GetCount(); ++i) {
      if (!tags[i]) continue;
      CNValue& value = written.emplace_back();
      value.SetNA();
      if (values.GetCount() != 0) value.CopyElementAt(0, values, i % values.GetCount());
    }
  }
  return server.Write(tags.Found(), written) && tags.AllFound();
}

// Delivers the tags' changes now, unless a refresh is running already.
void Refresh(CNPTagServer& server) {
  static bool s_refreshing = false;
  if (s_refreshing) return;
  s_refreshing = true;
  server.Dispatch();
  s_refreshing = false;
}

// Runs body(call, server) when the host has a tag server and the call has from low to high
// arguments; the method fails otherwise.
template <class Body>
bool WithServer(CMethodCall& call, size_t low, size_t high, Body&& body) {
  CNPTagServer* server = call.host.GetTagServer();
  if (!server || !ArgCountIn(call, low, high)) return false;
  body(*server);
  return true;
}

constexpr size_t kAny = SIZE_MAX;

}  // namespace

bool GetTagValue(CMethodCall& call) {
  return WithServer(call, 1, 1, [&](CNPTagServer& server) { AnswerValues(call, server, 0); });
}

bool ReadTagValue(CMethodCall& call) {
  return WithServer(call, 2, kAny,
                    [&](CNPTagServer& server) { AnswerValues(call, server, ReadModeArg(call, 1)); });
}

bool WriteTagValue(CMethodCall& call) {
  return WithServer(call, 2, 2, [&](CNPTagServer& server) {
    CallTags tag(server, call.Arg(0));
    call.result.SetBool(tag[0] && server.SetValue(tag[0], call.Arg(1)));
  });
}

bool ReadRequest(CMethodCall& call) {
  return WithServer(call, 1, 2, [&](CNPTagServer& server) {
    call.result.SetBool(ReadTags(server, call.Arg(0), ReadModeArg(call, 1)));
  });
}

bool TagRefresh(CMethodCall& call) {
  return WithServer(call, 0, kAny, [&](CNPTagServer& server) {
    Refresh(server);
    call.result.SetBool(true);
  });
}

bool ReadRequestRefresh(CMethodCall& call) {
  return WithServer(call, 1, 2, [&](CNPTagServer& server) {
    call.result.SetBool(ReadTags(server, call.Arg(0), ReadModeArg(call, 1)));
    Refresh(server);
  });
}

bool WriteRequest(CMethodCall& call) {
  return WithServer(call, 2, 2, [&](CNPTagServer& server) {
    call.result.SetBool(WriteTags(server, call.Arg(0), call.Arg(1)));
  });
}

bool WriteRequestRefresh(CMethodCall& call) {
  return WithServer(call, 2, 2, [&](CNPTagServer& server) {
    call.result.SetBool(WriteTags(server, call.Arg(0), call.Arg(1)));
    Refresh(server);
  });
}

bool SetAliasTag(CMethodCall& call) {
  return WithServer(call, 2, 2, [&](CNPTagServer& server) {
    call.result.SetBool(server.SetAliasTag(ArgText(call.Arg(0)), ArgText(call.Arg(1))));
  });
}

bool GetAliasTag(CMethodCall& call) {
  return WithServer(call, 1, 1, [&](CNPTagServer& server) {
    call.result.SetString(server.GetAliasTag(ArgText(call.Arg(0))));
  });
}

bool RefreshTag(CMethodCall& call) {
  return WithServer(call, 0, 1, [&](CNPTagServer& server) {
    call.result.SetBool(call.Count() == 0 ? server.ReadAll(1) : ReadTags(server, call.Arg(0), 1));
    Refresh(server);
  });
}

bool GetTagLastError(CMethodCall& call) {
  return WithServer(call, 0, 0, [&](CNPTagServer& server) { call.result.SetString(server.GetErrorText()); });
}
