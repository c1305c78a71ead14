#include "script/method_table.h"

#include <algorithm>
#include <atomic>

#include "values/value.h"

int32_t CKVMethodTable::Find(std::u16string_view name) const {
  std::call_once(m_Built, [this] {
    m_ByName.reserve(m_Entries.size());
    for (size_t i = 0; i < m_Entries.size(); ++i) m_ByName.emplace_back(m_Entries[i].name, static_cast<int32_t>(i));
    std::sort(m_ByName.begin(), m_ByName.end());
  });
  const auto found = std::lower_bound(m_ByName.begin(), m_ByName.end(), name,
                                      [](const auto& entry, std::u16string_view key) { return entry.first < key; });
  return found != m_ByName.end() && found->first == name ? found->second : -1;
}

bool CKVMethodTable::BindHandler(std::u16string_view name, RuntimeHandler handler) const {
  const int32_t number = Find(name);
  if (number < 0) return false;
  m_Handlers.resize(m_Entries.size());
  m_Handlers[static_cast<size_t>(number)] = handler;
  return true;
}

RuntimeHandler CKVMethodTable::GetHandler(int32_t number) const {
  const auto at = static_cast<size_t>(number);
  return number >= 0 && at < m_Handlers.size() ? m_Handlers[at] : nullptr;
}

bool AnswerFailure(const MethodEntry& entry, CNValue& result) {
  switch (entry.failure) {
    case MethodFailure::kStops:
      return false;
    case MethodFailure::kFalse:
      result.SetBool(false);
      return true;
    case MethodFailure::kNothing:
      result.Clear();
      return true;
  }
  return false;
}

namespace {

std::atomic<MethodErrorSink> s_errorSink{nullptr};

}  // namespace

void SetMethodErrorSink(MethodErrorSink sink) {
  s_errorSink = sink;
}

bool InvokeMethod(const MethodEntry& entry, CMethodCall& call) {
  if (!entry.Accepts(call.Count())) return false;
  if (entry.family == CapabilityFamily::kNone ||
      call.host.MayCall(entry, call.caller ? *call.caller : static_cast<const CNObject&>(call.target)))
    return entry.function(call);
  const std::string_view family = CapabilityFamilyName(entry.family);
  if (MethodErrorSink sink = s_errorSink)
    sink(call, u"Denied by policy: " + std::u16string(family.begin(), family.end()));
  call.result.Clear();
  return AnswerFailure(entry, call.result);
}
