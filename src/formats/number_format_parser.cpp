#include "formats/number_format_parser.h"

#include <array>

#include "objects/property_codec.h"

namespace {

std::vector<std::u16string> KeyLines(const CNNumberFormat& record) {
  std::vector<std::u16string> lines;
  for (const CNNumberKeyEntry& entry : NumberFormatKeys()) {
    std::u16string value;
    if (GetNumberKey(record, entry.name, value)) lines.push_back(std::u16string(entry.name) + u"=" + value);
  }
  return lines;
}

}  // namespace

CNPNumberFormatParser::CNPNumberFormatParser() : CNPNumberFormatParser(CNFormatStore::Global()) {}

CNPNumberFormatParser::CNPNumberFormatParser(CNFormatStore& store)
    : m_store(store), m_strBaseName(CNNumberFormats::kDefaultName) {
  m_store.ResolveNumberFormat(m_strBaseName, m_record);
}

std::vector<std::u16string> CNPNumberFormatParser::GetBaseFormat() const {
  CNNumberFormat base;
  m_store.ResolveNumberFormat(m_strBaseName, base);
  return KeyLines(base);
}

std::vector<std::u16string> CNPNumberFormatParser::GetFormat() const {
  return KeyLines(m_record);
}

std::u16string CNPNumberFormatParser::GetFormatName() const {
  return m_store.WriteNumberFormatString(m_record, m_strBaseName);
}

bool CNPNumberFormatParser::SetFormatName(std::u16string_view formatString) {
  CNNumberFormat record;
  if (!m_store.ResolveNumberFormat(formatString, record)) return false;
  const std::u16string_view named = formatString.empty() ? CNNumberFormats::kDefaultName : formatString;
  m_strBaseName = named.substr(0, named.find_first_of(u".<"));
  ChangeRecord(std::move(record));
  return true;
}

bool CNPNumberFormatParser::SetFormat(std::u16string_view pairs) {
  CNNumberFormat record = m_record;
  bool known = true;
  size_t start = 0;
  while (start <= pairs.size()) {
    size_t end = pairs.find_first_of(u";\n", start);
    if (end == std::u16string_view::npos) end = pairs.size();
    std::u16string_view pair = pairs.substr(start, end - start);
    if (pair.ends_with(u'\r')) pair.remove_suffix(1);
    const size_t equals = pair.find(u'=');
    if (!pair.empty() &&
        !m_store.SetNumberKey(record, pair.substr(0, equals),
                              equals == std::u16string_view::npos ? u"" : pair.substr(equals + 1)))
      known = false;
    start = end + 1;
  }
  ChangeRecord(std::move(record));
  return known;
}

std::u16string_view CNPNumberFormatParser::KeyOf(uint32_t i) const {
  const std::u16string_view name = GetClassProperties().GetInfo(i).name;
  const CNNumberKeyEntry* key = FindNumberKey(name);
  return key && key->name == name ? name : std::u16string_view{};
}

int CNPNumberFormatParser::SetPropertyAt(uint32_t i, const CNValue& value) {
  const std::u16string_view key = KeyOf(i);
  if (key.empty()) return CNPObject::SetPropertyAt(i, value);
  CNNumberFormat record = m_record;
  if (!SetNumberKey(record, key, value.GetTextEmptyNA(0), nullptr)) return 0;
  m_record = std::move(record);
  return 1;
}

int CNPNumberFormatParser::GetPropertyAt(uint32_t i, CNValue& value) const {
  const std::u16string_view key = KeyOf(i);
  if (key.empty()) return CNPObject::GetPropertyAt(i, value);
  std::u16string text;
  GetNumberKey(m_record, key, text);
  CNValue textValue;
  textValue.SetString(text);
  return ConvertPropertyValue(GetClassProperties().GetInfo(i), textValue, value) ? 1 : 0;
}

void CNPNumberFormatParser::ChangeRecord(CNNumberFormat record) {
  std::vector<std::u16string_view> changed;
  for (const CNNumberKeyEntry& entry : NumberFormatKeys()) {
    std::u16string before;
    std::u16string after;
    if (GetNumberKey(m_record, entry.name, before) && GetNumberKey(record, entry.name, after) &&
        before != after)
      changed.push_back(entry.name);
  }
  m_record = std::move(record);
  if (!IsRunning()) return;  // nobody listens before the object runs
  for (const std::u16string_view name : changed) PropertyChanged(name);
}

// ---- methods

namespace {

CNPNumberFormatParser* Parser(CMethodCall& call) {
  return dynamic_cast<CNPNumberFormatParser*>(&call.target);
}

void SetList(CNValue& result, const std::vector<std::u16string>& items) {
  if (items.empty()) {
    result.Clear();
    return;
  }
  const uint32_t count = static_cast<uint32_t>(items.size());
  result.SetDimensions(1, &count);
  for (uint32_t i = 0; i < count; ++i) result.SetStringAt(i, items[i]);
}

// A method without arguments that answers a text or a list.
template <auto Member>
bool Answer(CMethodCall& call) {
  CNPNumberFormatParser* parser = Parser(call);
  if (!parser || call.Count() != 0) return false;
  const auto answer = (parser->*Member)();
  if constexpr (std::is_same_v<decltype(answer), const std::vector<std::u16string>>) {
    SetList(call.result, answer);
  } else {
    call.result.SetString(answer);
  }
  return true;
}

bool GetType(CMethodCall& call) {
  if (!Parser(call) || call.Count() != 0) return false;
  call.result.SetString(CNPNumberFormatParser::kType);
  return true;
}

bool SetFormatName(CMethodCall& call) {
  CNPNumberFormatParser* parser = Parser(call);
  if (!parser || call.Count() != 1) return false;
  call.result.SetBool(parser->SetFormatName(call.Arg(0).GetText(0)));
  return true;
}

// One argument: a text of pairs, or a list whose every element is one.
bool SetFormat(CMethodCall& call) {
  CNPNumberFormatParser* parser = Parser(call);
  if (!parser || call.Count() != 1) return false;
  bool known = true;
  for (uint32_t i = 0; i < call.Arg(0).GetCount(); ++i)
    known = parser->SetFormat(call.Arg(0).GetText(i)) && known;
  call.result.SetBool(known);
  return true;
}

constexpr std::array kMethods = {
    MethodEntry{u"GetType", "The kind of format object: its type name", &GetType},
    MethodEntry{u"GetBaseFormatName", "The name of the format the object was made from",
                &Answer<&CNPNumberFormatParser::GetBaseFormatName>},
    MethodEntry{u"GetBaseFormat", "The key-value pairs of the format the object was made from",
                &Answer<&CNPNumberFormatParser::GetBaseFormat>},
    MethodEntry{u"GetFormatName", "The format string of the object's current format",
                &Answer<&CNPNumberFormatParser::GetFormatName>},
    MethodEntry{u"GetFormat", "The key-value pairs of the object's current format",
                &Answer<&CNPNumberFormatParser::GetFormat>},
    MethodEntry{u"SetFormatName", "Makes the object hold the format a format string names", &SetFormatName},
    MethodEntry{u"SetFormat", "Changes keys of the object's format from key=value texts", &SetFormat},
    MethodEntry{u"GetUserFormatNames", "The names of the project's own number formats",
                &Answer<&CNPNumberFormatParser::GetUserFormatNames>},
    MethodEntry{u"GetUserFormats", "The sections of the project's own number formats",
                &Answer<&CNPNumberFormatParser::GetUserFormats>},
};

}  // namespace

std::span<const MethodEntry> NumberFormatParserMethods() {
  return kMethods;
}
