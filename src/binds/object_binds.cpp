#include "binds/object_binds.h"

#include <algorithm>
#include <limits>

#include "binds/bind_factory.h"
#include "binds/bind_function_call.h"
#include "binds/bind_names.h"
#include "binds/bind_text.h"
#include "screen/pobject.h"
#include "tags/tag_server.h"

namespace {

uint16_t WatchValue(int32_t option, uint16_t projectDefault) {
  if (option == -1) return projectDefault;
  if (option < 0) return 0;
  return static_cast<uint16_t>(std::min<int32_t>(option, std::numeric_limits<uint16_t>::max()));
}

// The tick comparison that survives the counter's wrap.
bool IsBefore(uint32_t tick, uint32_t limit) {
  return static_cast<int32_t>(tick - limit) <= 0;
}

}  // namespace

CNPObjectBinds::CNPObjectBinds(CNPObject& object, const CNBindEnvironment& environment)
    : m_pObject(&object), m_environment(environment) {}

CNPObjectBinds::~CNPObjectBinds() {
  Disconnect();
}

bool CNPObjectBinds::Bind(std::u16string_view property, std::u16string_view text, CTagParserCompilerError* error) {
  if (!m_pObject) return false;
  Unbind(property);
  const CNBindTextSections sections = SplitBindText(text);
  CRPtr<CNBindScriptParser> input, output;
  if (!sections.input.empty() && !(input = Make(property, sections.input, true, error))) return false;
  if (!sections.output.empty() && !(output = Make(property, sections.output, false, error))) {
    if (input) input->Disconnect(nullptr);
    return false;
  }
  if (input) {
    auto record = std::make_unique<Input>();
    record->bind = input;
    record->onlyFirstIn = sections.onlyFirstIn;
    record->beginsWithBAC = sections.beginsWithBAC;
    input->SetDirty();  // computes its first value on the next refresh
    m_inputs.push_back(std::move(record));
  }
  if (output) {
    auto record = std::make_unique<Output>();
    record->bind = output;
    record->watch = WatchValue(sections.watch, m_environment.defaultWatch);
    m_outputs.push_back(std::move(record));
  }
  if (input && output) {
    input->SetPartner(output.Get());
    output->SetPartner(input.Get());
  }
  return input || output;
}

CRPtr<CNBindScriptParser> CNPObjectBinds::Make(std::u16string_view property, std::u16string_view script, bool input,
                                               CTagParserCompilerError* error) {
  CRPtr<CNBindScriptParser> bind = MakeBindScriptParser(script, input);
  bind->SetPropertyName(property);
  bind->SetConnectionPoint(this);
  if (!bind->Compile(script)) {
    if (error) *error = bind->GetError();
    return nullptr;
  }
  m_strRefused.clear();
  m_bConnectingInput = input;
  const bool connected = bind->Connect(nullptr);
  m_bConnectingInput = false;
  if (!connected) {
    if (error) *error = CTagParserCompilerError(CE_UNRESOLVED_IDENTIFIER, m_strRefused, 0, 0);
    return nullptr;
  }
  return bind;
}

uint16_t CNPObjectBinds::GetWatch(std::u16string_view property) const {
  for (const auto& output : m_outputs)
    if (output->bind->GetPropertyName() == property) return output->watch;
  return 0;
}

CNPObjectBinds::Output* CNPObjectBinds::FindOutput(std::u16string_view property) {
  for (const auto& output : m_outputs)
    if (output->bind->GetPropertyName() == property) return output.get();
  return nullptr;
}

CNPObjectBinds::Input* CNPObjectBinds::FindInput(std::u16string_view property) {
  for (const auto& input : m_inputs)
    if (input->bind->GetPropertyName() == property) return input.get();
  return nullptr;
}

bool CNPObjectBinds::Unbind(std::u16string_view property) {
  const auto ofProperty = [&](const auto& record) { return record->bind->GetPropertyName() == property; };
  bool found = false;
  for (auto it = std::find_if(m_outputs.begin(), m_outputs.end(), ofProperty); it != m_outputs.end();
       it = std::find_if(m_outputs.begin(), m_outputs.end(), ofProperty)) {
    const std::unique_ptr<Output> output = std::move(*it);
    m_outputs.erase(it);
    output->bind->Disconnect(nullptr);
    found = true;
  }
  for (auto it = std::find_if(m_inputs.begin(), m_inputs.end(), ofProperty); it != m_inputs.end();
       it = std::find_if(m_inputs.begin(), m_inputs.end(), ofProperty)) {
    const std::unique_ptr<Input> input = std::move(*it);
    m_inputs.erase(it);
    input->bind->Disconnect(nullptr);
    found = true;
  }
  return found;
}

bool CNPObjectBinds::ReadInput(std::u16string_view property) {
  Input* input = m_pObject ? FindInput(property) : nullptr;
  return input && StoreInput(*input, true);
}

bool CNPObjectBinds::WriteOutput(std::u16string_view property) {
  Output* output = m_pObject ? FindOutput(property) : nullptr;
  return output && WriteOutput(*output, false);
}

bool CNPObjectBinds::AddTag(std::u16string_view name) {
  if (!m_pObject || IsOwnPropertyName(name)) return false;
  for (uint32_t handle : m_tags)
    if (m_names[handle - 1].text == name) return true;
  uint32_t handle = 0;
  if (!Subscribe(nullptr, name, 1, handle, nullptr)) return false;
  m_tags.push_back(handle);
  return true;
}

bool CNPObjectBinds::DelTag(std::u16string_view name) {
  const auto it = std::find_if(m_tags.begin(), m_tags.end(), [&](uint32_t handle) { return m_names[handle - 1].text == name; });
  if (it == m_tags.end()) return false;
  const uint32_t handle = *it;
  m_tags.erase(it);
  Unsubscribe(nullptr, handle, nullptr);
  return true;
}

void CNPObjectBinds::ClearTags() {
  const std::vector<uint32_t> tags = std::move(m_tags);
  m_tags.clear();
  for (uint32_t handle : tags) Unsubscribe(nullptr, handle, nullptr);
}

CNPObjectBinds::Name* CNPObjectBinds::FindName(uint32_t handle) {
  return handle >= 1 && handle <= m_names.size() ? &m_names[handle - 1] : nullptr;
}

// ---- refresh and property changes

uint32_t CNPObjectBinds::RefreshInputs(bool force) {
  if (!force) ++m_uTick;
  uint32_t stored = 0;
  // Storing a value runs handlers that may bind or disconnect: index, and look again each time.
  for (size_t i = 0; m_pObject && i < m_inputs.size(); ++i)
    if (StoreInput(*m_inputs[i], force)) ++stored;
  return stored;
}

bool CNPObjectBinds::StoreInput(Input& input, bool force) {
  if (input.onlyFirstIn && input.stored) return false;
  if (!force && input.holding && IsBefore(m_uTick, input.holdUntil)) return false;  // stays due
  input.holding = false;
  CRPtr<CNBindScriptParser> bind = input.bind;
  if (!bind->Evaluate(force, m_scratch) || m_scratch.IsEmpty()) return false;
  input.stored = true;
  CNBindLinks& links = m_pObject->GetBindLinks();
  const bool wasBinding = links.IsInputBinding();
  const CNBindScriptParser* wasStoring = std::exchange(m_pStoring, bind.Get());
  links.SetInputBinding(true);
  const CNValue value = std::move(m_scratch);  // a handler may evaluate binds again
  m_pObject->SetProperty(bind->GetPropertyName(), value);
  if (m_pObject) m_pObject->GetBindLinks().SetInputBinding(wasBinding);
  m_pStoring = wasStoring;
  return true;
}

void CNPObjectBinds::PropertyChanged(std::u16string_view name, bool writeOutput) {
  if (!m_pObject) return;
  for (const Name& entry : m_names)
    if (entry.subscriptions > 0 && !entry.property.empty() && entry.property == name) MarkReaders(entry, m_pStoring);
  if (writeOutput)
    if (Output* output = FindOutput(name)) WriteOutput(*output, true);
}

void CNPObjectBinds::MarkReaders(const Name& name, const CNBindScriptParser* except) {
  for (CNBindScriptParser* reader : name.readers)
    if (reader != except) reader->SetDirty();
}

bool CNPObjectBinds::WriteOutput(Output& output, bool masked) {
  const CRPtr<CNBindScriptParser> bind = output.bind;
  const uint16_t watch = output.watch;
  const Input* partner = FindInput(bind->GetPropertyName());
  if (masked && partner && !partner->stored) {
    CNValue mask;
    if (m_pObject->GetProperty(u"MaskOutputBindTillInput", mask) && mask.GetBool()) return false;
  }
  CNValue value;
  m_pObject->GetProperty(bind->GetPropertyName(), value);
  bind->SetDirty();
  // Writing may run handlers that rebind: output is not looked at again.
  if (!bind->Evaluate(false, value)) return false;
  if (watch > 0 && m_pObject)
    if (Input* input = FindInput(bind->GetPropertyName())) {
      input->holding = true;
      input->holdUntil = m_uTick + watch;
    }
  return true;
}

// ---- the connection point of the scripts

bool CNPObjectBinds::Subscribe(CNBindScriptParser* bind, std::u16string_view name, uint32_t direction,
                               uint32_t& handle, void* /*argument*/) {
  if (!m_pObject) return false;
  auto it = std::find_if(m_names.begin(), m_names.end(), [&](const Name& entry) { return entry.text == name; });
  if (it == m_names.end() || it->subscriptions == 0) {
    Name fresh;
    fresh.text = name;
    if (IsOwnPropertyName(name)) {
      const std::u16string_view inner = OwnPropertyOf(name);
      const int32_t index = m_pObject->FindPropertyIndex(inner);
      CNValue probe;
      if (index < 0 && !m_pObject->GetProperty(inner, probe)) {
        m_strRefused = name;
        return false;
      }
      fresh.property = index < 0 ? std::u16string(inner) : std::u16string(m_pObject->GetPropertyName(index));
    } else {
      CNPTagServer* tags = m_environment.tags;
      fresh.tag = tags ? tags->GetTag(name, direction, this) : nullptr;
      if (!fresh.tag) {
        m_strRefused = name;
        return false;
      }
    }
    if (it == m_names.end()) {
      m_names.push_back(std::move(fresh));
      it = m_names.end() - 1;
    } else {
      *it = std::move(fresh);
    }
  }
  ++it->subscriptions;
  if (direction == 1 && m_bConnectingInput) it->readers.push_back(bind);
  handle = static_cast<uint32_t>(it - m_names.begin()) + 1;
  return true;
}

bool CNPObjectBinds::Unsubscribe(CNBindScriptParser* bind, uint32_t handle, void* /*argument*/) {
  Name* entry = FindName(handle);
  if (!entry || entry->subscriptions == 0) return false;
  if (auto reader = std::find(entry->readers.begin(), entry->readers.end(), bind); reader != entry->readers.end())
    entry->readers.erase(reader);
  if (--entry->subscriptions == 0) {
    if (entry->tag && m_environment.tags) m_environment.tags->ReleaseTag(entry->tag, this);
    entry->tag = nullptr;
    entry->readers.clear();
  }
  return true;
}

bool CNPObjectBinds::Read(CNBindScriptParser* /*bind*/, uint32_t handle, void* /*argument*/, CNValue& value) {
  const Name* entry = FindName(handle);
  if (!m_pObject || !entry || entry->subscriptions == 0) return false;
  if (entry->tag) {
    const CRPtr<CNValue> current = m_environment.tags->GetValue(entry->tag, 0, nullptr);
    if (!current || current->IsEmpty()) return false;
    value.Assign(*current);
    return true;
  }
  return m_pObject->GetProperty(entry->property, value) && !value.IsEmpty();
}

bool CNPObjectBinds::Write(CNBindScriptParser* /*bind*/, uint32_t handle, const CNValue& value) {
  const Name* entry = FindName(handle);
  if (!m_pObject || !entry || entry->subscriptions == 0) return false;
  if (entry->tag) return m_environment.tags->SetValue(entry->tag, value);
  return m_pObject->SetProperty(entry->property, value) != 0;
}

bool CNPObjectBinds::Call(CNBindScriptParser* /*bind*/, std::u16string_view function,
                          std::span<const CNValue* const> args, CNValue& result, uint32_t /*position*/) {
  return m_pObject && CallBindFunction(*m_pObject, m_environment.host, function, args, result);
}

void CNPObjectBinds::TagChanged(CNPTag* tag, std::u16string_view name, const CNValue& value, uint32_t changed) {
  if (!m_pObject) return;
  for (const Name& entry : m_names)
    if (entry.tag == tag) MarkReaders(entry, nullptr);
  CNPTagServerConnectionPoint& scripts = m_pObject->GetTagConnectionPoint();
  if (scripts.IsListening()) scripts.TagChanged(tag, name, value, changed);
}

std::u16string CNPObjectBinds::GetListenerName() const {
  std::u16string path;
  for (const CNObject* object = m_pObject; object && object->GetParent(); object = object->GetParent())
    path = path.empty() ? object->GetName() : object->GetName() + u"." + path;
  return path;
}

void CNPObjectBinds::Disconnect() {
  if (!m_pObject) return;
  m_pObject = nullptr;  // from here on nothing reaches the object, which may be going away
  for (const auto& input : m_inputs) input->bind->Disconnect(nullptr);
  for (const auto& output : m_outputs) output->bind->Disconnect(nullptr);
  // Whatever a failed bind left behind.
  for (Name& entry : m_names) {
    if (entry.tag && m_environment.tags) m_environment.tags->ReleaseTag(entry.tag, this);
    entry.tag = nullptr;
    entry.subscriptions = 0;
    entry.readers.clear();
  }
}
