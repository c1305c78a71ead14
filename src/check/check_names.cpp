#include "check/check_names.h"

#include <algorithm>

#include "check/check_framesets.h"
#include "check/check_place.h"
#include "check/check_suggest.h"
#include "controls/form.h"
#include "objects/object.h"
#include "objects/property_read.h"
#include "project/form_lookup.h"
#include "script/expression.h"

CNNameCheck::Found CNNameCheck::FindFunction(const CNObject& object, std::u16string_view name) {
  const CSCObject* scope = m_scopes.Get(object);
  if (scope && scope->FindFunction(name)) return kScript;
  return m_builtIns.Find(object, name) ? kBuiltIn : kNone;
}

const CNObject* CNNameCheck::CallTarget(const CNObject& owner, std::u16string_view written,
                                        std::u16string& method) {
  const CSCName name(written);
  const std::vector<std::u16string>& parts = name.GetParts();
  if (parts.empty()) return nullptr;
  method = parts.back();
  const CNObject* target = nullptr;
  switch (name.GetBase()) {
    case NB_ROOT:
      target = &m_root;
      break;
    case NB_THIS:
      target = &owner;
      break;
    // Forms are opened into views, which their parent is then: known only at run time.
    case NB_PARENT:
      target = owner.GetClassId() == CNPForm::kClassId ? nullptr : owner.GetParent();
      break;
    case NB_PLAIN: {
      // "a.b.f()": a is a member of the owner, a child when the script declares no variable a.
      const CSCObject* scope = m_scopes.Get(owner);
      if (parts.size() > 1 && !(scope && scope->IsDeclared(parts.front()))) target = &owner;
      break;
    }
    default:
      break;
  }
  for (size_t i = 0; target && i + 1 < parts.size(); ++i) target = target->FindChild(parts[i]);
  return target;
}

void CNNameCheck::Add(std::string_view code, const CNObject& object, std::u16string_view member, int32_t line,
                      int32_t column, std::u16string message) {
  CNObjectPlace place = FindObjectPlace(object);
  m_problems.push_back({code, CNProblemSeverity::kError, std::move(place.form), std::move(place.path),
                        std::u16string(member), line, column, std::move(message)});
}

void CNNameCheck::UseTag(std::u16string_view tag, const CNObject& object, std::u16string_view member,
                         int32_t line, int32_t column) {
  // Memory ("$") and alias ("@") tags live in the runtime, not on the server.
  if (tag.empty() || tag.front() == u'$' || tag.front() == u'@') return;
  const auto same = [&](const CNTagUse& use) { return use.tag == tag; };
  if (std::any_of(m_tags.begin(), m_tags.end(), same)) return;
  CNObjectPlace place = FindObjectPlace(object);
  m_tags.push_back({std::u16string(tag),
                    {{}, CNProblemSeverity::kError, std::move(place.form), std::move(place.path),
                     std::u16string(member), line, column, {}}});
}

void CNNameCheck::UseForm(std::u16string_view form, const CNObject& object, std::u16string_view member,
                          int32_t line, int32_t column) {
  if (FindFormByName(m_root, form)) return;
  Add("missing-form", object, member, line, column, u"the project has no form \"" + std::u16string(form) + u"\"");
}

void CNNameCheck::UseFrameset(std::u16string_view frameset, const CNObject& object,
                              std::u16string_view member, int32_t line, int32_t column) {
  if (!m_framesets) m_framesets = FramesetNames(PropertyText(m_root, u"DefaultFrame"));
  if (std::find(m_framesets->begin(), m_framesets->end(), frameset) != m_framesets->end()) return;
  Add("missing-frameset", object, member, line, column,
      u"the project has no frame set \"" + std::u16string(frameset) + u"\"");
}
