#include "binds/object_binder.h"

#include <algorithm>

#include "binds/bind_factory.h"
#include "binds/bind_text.h"
#include "screen/pobject.h"

namespace {

// Calls visit for the object and every descendant, parents first.
// The visit may run handlers that change the tree: the objects waiting their turn are held.
template <class Visit>
void ForEachInTree(CNObject& root, Visit&& visit) {
  std::vector<CRPtr<CNObject>> pending{CRPtr<CNObject>::Retain(&root)};
  while (!pending.empty()) {
    const CRPtr<CNObject> object = std::move(pending.back());
    pending.pop_back();
    visit(*object);
    for (int32_t i = object->GetChildCount() - 1; i >= 0; --i)
      if (CNObject* child = object->GetChild(i)) pending.push_back(CRPtr<CNObject>::Retain(child));
  }
}

bool CheckScript(std::u16string_view script, bool input, CTagParserCompilerError& error) {
  if (script.empty()) return true;
  const CRPtr<CNBindScriptParser> bind = MakeBindScriptParser(script, input);
  if (bind->Compile(script)) return true;
  error = bind->GetError();
  return false;
}

}  // namespace

std::vector<std::u16string_view> GetBindSectionNames(std::u16string_view text) {
  std::vector<std::u16string_view> names;
  // Scripts keep their own brackets escaped, so every "[" starts a section header.
  for (size_t open = text.find(u'['); open != std::u16string_view::npos; open = text.find(u'[', open + 1)) {
    const size_t close = text.find(u']', open + 1);
    if (close == std::u16string_view::npos) break;
    names.push_back(text.substr(open + 1, close - open - 1));
  }
  return names;
}

std::vector<CNBindSection> GetBindSections(const CNObject& object) {
  std::vector<CNBindSection> sections;
  for (const std::u16string_view name : GetBindSectionNames(object.GetBind())) {
    if (object.FindPropertyIndex(name) < 0) continue;
    const auto same = [&](const CNBindSection& section) { return section.property == name; };
    if (std::any_of(sections.begin(), sections.end(), same)) continue;  // the first one counts
    std::u16string script = object.GetBindSection(name);
    if (!script.empty()) sections.push_back(CNBindSection{std::u16string(name), std::move(script)});
  }
  return sections;
}

bool CheckBindText(std::u16string_view text, CTagParserCompilerError& error) {
  const CNBindTextSections sections = SplitBindText(text);
  return CheckScript(sections.input, true, error) && CheckScript(sections.output, false, error);
}

uint32_t CNPObjectBinder::BindObject(CNObject& object) {
  auto* screenObject = dynamic_cast<CNPObject*>(&object);
  if (!screenObject) return 0;
  CNBindLinks& links = screenObject->GetBindLinks();
  links.DropBinds();
  const std::vector<CNBindSection> sections = GetBindSections(object);
  if (sections.empty()) return 0;
  auto binds = CRPtr<CNPObjectBinds>::Make(*screenObject, m_environment);
  uint32_t bound = 0;
  for (const CNBindSection& section : sections) {
    CTagParserCompilerError error;
    if (binds->Bind(section.property, section.text, &error)) {
      ++bound;
    } else if (m_pSink) {
      m_pSink->OnBindError(object, section.property, error);
    }
  }
  if (bound > 0) links.SetBinds(binds);
  return bound;
}

uint32_t CNPObjectBinder::BindTree(CNObject& root) {
  uint32_t bound = 0;
  ForEachInTree(root, [&](CNObject& object) { bound += BindObject(object); });
  return bound;
}

uint32_t RefreshTreeBinds(CNObject& root, bool force) {
  uint32_t stored = 0;
  ForEachInTree(root, [&](CNObject& object) {
    if (auto* screenObject = dynamic_cast<CNPObject*>(&object)) stored += screenObject->RefreshBinds(force);
  });
  return stored;
}

void UnbindTree(CNObject& root) {
  ForEachInTree(root, [](CNObject& object) {
    if (auto* screenObject = dynamic_cast<CNPObject*>(&object)) screenObject->GetBindLinks().DropBinds();
  });
}
