#include "check/check_load_context.h"

#include <string>

#include "check/check_place.h"
#include "check/check_suggest.h"
#include "objects/property_codec.h"
#include "project/name_list.h"
#include "project/project_xml.h"
#include "support/utf16_text.h"

namespace {

bool IsEnumeration(int32_t type) {
  return type == PT_ENUM || type == PT_BORDER_STYLE;
}

// Whether text is a plain decimal number ("12", "-3.5"), which the literal reader always takes
// as one: most numbers in a file are, and they need no value made to tell.
bool IsPlainDecimal(std::u16string_view text) {
  if (!text.empty() && text.front() == u'-') text.remove_prefix(1);
  if (text.empty() || text.front() < u'0' || text.front() > u'9') return false;
  bool point = false;
  for (const char16_t c : text) {
    if (c == u'.' && !point) {
      point = true;
    } else if (c < u'0' || c > u'9') {
      return false;
    }
  }
  return true;
}

// Whether a number property takes text as a number: a literal that reads as one. Empty text
// is the file's way of leaving a value unset.
bool IsNumberText(std::u16string_view text) {
  while (!text.empty() && text.front() == u' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == u' ') text.remove_suffix(1);
  if (text.empty() || IsPlainDecimal(text)) return true;
  CNValue value;
  return value.FromLiteral(text, false) && value.GetCount() == 1 && value.IsNumber(0);
}

std::u16string Quoted(std::u16string_view text) {
  return u"\"" + std::u16string(text) + u"\"";
}

// Why a property does not take text; empty when it does.
std::u16string RefusalOf(const PropertyInfo& info, std::u16string_view text) {
  if (IsEnumeration(info.type)) {
    CNValue converted;
    if (ConvertPropertyText(info, text, converted)) return {};
    CNNearestName nearest(text);
    for (std::u16string_view item : SplitNameList(info.list)) nearest.Offer(item);
    return Quoted(text) + u" is none of " + std::u16string(info.list) + nearest.Hint();
  }
  if ((info.type == PT_INTEGER || info.type == PT_NUMBER) && !IsNumberText(text))
    return Quoted(text) + u" is no number";
  if (info.type == PT_COLOR) {
    CNValue converted;
    if (!ConvertPropertyText(info, text, converted)) return Quoted(text) + u" is no colour";
  }
  return {};
}

}  // namespace

void CNCheckLoadContext::Add(std::string_view code, CNProblemSeverity severity, const CNObject* object,
                             std::u16string member, const char* place, std::u16string message) {
  CNObjectPlace where = object ? FindObjectPlace(*object) : CNObjectPlace{};
  const auto [line, column] = m_document.GetTextPosition(place);
  m_problems.push_back({code, severity, std::move(where.form), std::move(where.path), std::move(member), line,
                        column, std::move(message)});
}

void CNCheckLoadContext::OnAttributeRead(const CNObject& object, std::string_view name,
                                         std::u16string_view value) {
  // Most names are those of the class table, found without widening them.
  const int32_t index = object.GetClassProperties().Find(name);
  const PropertyInfo* info = index >= 0 ? object.GetPropertyInfo(static_cast<uint32_t>(index))
                                        : object.FindPropertyInfo(Utf8ToUtf16(name));
  if (!info) {
    const std::u16string property = Utf8ToUtf16(name);
    CNValue ignored;
    if (object.GetProperty(property, ignored)) return;  // answered by the class's own code
    CNNearestName nearest(property);
    const CNClassProperties& table = object.GetClassProperties();
    for (uint32_t i = 0; i < table.GetCount(); ++i) nearest.Offer(table.GetInfo(i).name);
    Add("unknown-attribute", CNProblemSeverity::kWarning, &object, property, name.data(),
        u"no property of " + std::u16string(object.GetClassId()) + u"; the value is ignored" +
            nearest.Hint());
    return;
  }
  std::u16string refusal = RefusalOf(*info, value);
  if (!refusal.empty())
    Add(IsEnumeration(info->type) ? "bad-enum-value" : "bad-value", CNProblemSeverity::kError, &object,
        Utf8ToUtf16(name), name.data(), std::move(refusal));
}

void CNCheckLoadContext::OnUnknownClass(pugi::xml_node element, const CNObject* parent) {
  const std::u16string clid = Utf8ToUtf16(element.attribute("clid").value());
  CNObjectPlace where = parent ? FindObjectPlace(*parent) : CNObjectPlace{};
  const std::u16string name = Utf8ToUtf16(element.attribute("Name").value());
  if (!where.form.empty() || (parent && parent->GetClassId() == u"Form"))
    where.path = where.path.empty() ? name : where.path + u"." + name;
  CNNearestName nearest(clid);
  for (const CPanelControls::Category& category : m_classes.GetCategories())
    for (const CNObjectClassRecord* record : category.classes) nearest.Offer(record->clid);
  // The place of the element's "<".
  const auto [line, column] = m_document.GetTextPosition(element.name() - 1);
  m_problems.push_back({"unknown-class", CNProblemSeverity::kError, std::move(where.form),
                        std::move(where.path), u"clid", line, column,
                        u"Can't create control. " + clid + nearest.Hint()});
}
